#include "platform/PrivateProfile.h"

namespace kelvara::platform {

LoadedProfile LoadProfileFile(const std::string& path)
{
    RegularFileRead read = ReadRegularFile(path, kProfileFileLimit);
    LoadedProfile loaded;
    loaded.failure = read.failure;
    loaded.error = read.error;
    if (read.Ok())
        loaded.file = ProfileFile::Parse(read.bytes);
    return loaded;
}

std::string ReadProfileSectionNames(const std::string& path, std::size_t bufferSize)
{
    return LoadProfileFile(path).file.SectionNames(bufferSize);
}

std::string ReadProfileSection(const std::string& path, std::string_view section, std::size_t bufferSize)
{
    return LoadProfileFile(path).file.Section(section, bufferSize);
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
    std::string_view defaultValue, std::size_t bufferSize)
{
    return LoadProfileFile(path).file.String(section, key, defaultValue, bufferSize);
}

} // namespace kelvara::platform
