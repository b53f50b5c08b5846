#include "ProfileIni.h"

#include "platform/PrivateProfile.h"

#include <filesystem>
#include <system_error>

namespace kelvara {

namespace {

// Splits a zero-separated list up to its terminating double zero. The first
// item is always taken, so an empty list gives one empty text.
std::vector<std::string> SplitZeroSeparated(const std::string& list)
{
    std::vector<std::string> items;
    std::size_t position = 0;
    do {
        const std::size_t end = list.find('\0', position);
        const std::size_t stop = end == std::string::npos ? list.size() : end;
        items.push_back(list.substr(position, stop - position));
        position = stop + 1;
    } while (position < list.size() && list[position] != '\0');
    return items;
}

static_assert(platform::kProfileFileLimit == 1024UL * 1024, "the refusal below names the limit");

std::string RefusalOf(const std::string& path, const platform::LoadedProfile& loaded)
{
    const std::string file = "The profile file " + std::filesystem::path(path).filename().string();
    switch (loaded.failure) {
    case platform::FileReadFailure::None:
    case platform::FileReadFailure::Missing:
        // A missing file is how a device without profiles is meant to look.
        return {};
    case platform::FileReadFailure::NotRegular:
        return file + " is not a regular file and was not read.";
    case platform::FileReadFailure::TooLarge:
        return file + " is larger than 1 MB and was not read.";
    case platform::FileReadFailure::Unreadable:
        return file + " could not be read: " + std::generic_category().message(loaded.error) + ".";
    }
    return {};
}

} // namespace

bool ProfileIni::Open(const std::string& path)
{
    platform::LoadedProfile loaded = platform::LoadProfileFile(path);
    m_refusal = RefusalOf(path, loaded);
    m_file = std::make_shared<const platform::ProfileFile>(std::move(loaded.file));
    return loaded.failure == platform::FileReadFailure::None;
}

const platform::ProfileFile& ProfileIni::File() const
{
    static const platform::ProfileFile kNoFile;
    return m_file ? *m_file : kNoFile;
}

bool ProfileIni::HasKeys(std::string_view section) const
{
    const std::string content = File().Section(section, kHasKeysBufferSize);
    return !content.empty() && content.front() != '\0';
}

std::string ProfileIni::GetString(std::string_view section, std::string_view key) const
{
    return File().String(section, key, "", kStringBufferSize);
}

int ProfileIni::GetSectionNames(std::vector<std::string>& names) const
{
    names = SplitZeroSeparated(File().SectionNames(kSectionBufferSize));
    return static_cast<int>(names.size());
}

int ProfileIni::GetSection(
    std::string_view section, std::vector<std::string>& keys, std::vector<std::string>& values) const
{
    keys.clear();
    values.clear();
    const std::string content = File().Section(section, kSectionBufferSize);
    for (const std::string& line : SplitZeroSeparated(content)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            keys.emplace_back();
            values.push_back(line);
        } else {
            keys.push_back(line.substr(0, equals));
            values.push_back(line.substr(equals + 1));
        }
    }
    return static_cast<int>(keys.size());
}

ProfileLines ReadProfileAt(const ProfileIni& ini, int profilePosition)
{
    std::vector<std::string> names;
    const int count = ini.GetSectionNames(names);
    const int sectionPosition = profilePosition + 1;
    if (profilePosition < 0 || sectionPosition >= count)
        return {};
    std::vector<std::string> keys;
    std::vector<std::string> values;
    ini.GetSection(names[static_cast<std::size_t>(sectionPosition)], keys, values);
    return ProfileLines(std::move(values));
}

} // namespace kelvara
