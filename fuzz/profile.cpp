// The private-profile reader on any file: every section and every key it
// finds is read back through buffers of several sizes, and the results keep
// the buffer's limits and zero-byte layout.
#include "FuzzFile.h"
#include "platform/PrivateProfile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using kelvara::fuzz::Broken;
namespace profile = kelvara::platform;

constexpr std::size_t kBufferSizes[] = { 0, 1, 2, 3, 17, 32767 };
// Each read parses the whole file again: a few keys per section and a few
// sections are enough to reach every path, and keep runs fast.
constexpr std::size_t kKeysRead = 3;
constexpr std::size_t kSectionsRead = 2;
constexpr std::size_t kValueBufferSizes[] = { 0, 1, 17 };

std::vector<std::string> ZeroSeparated(const std::string& list)
{
    std::vector<std::string> items;
    std::size_t from = 0;
    for (std::size_t zero = list.find('\0'); zero != std::string::npos && zero > from;
         zero = list.find('\0', from)) {
        items.push_back(list.substr(from, zero - from));
        from = zero + 1;
    }
    return items;
}

void CheckList(const std::string& list, std::size_t bufferSize)
{
    if (list.size() > bufferSize)
        Broken("a list never holds more bytes than its buffer");
    if (bufferSize >= 2
        && (list.size() < 2 || list[list.size() - 1] != '\0' || list[list.size() - 2] != '\0'))
        Broken("a list in a buffer of two or more bytes ends in two zero bytes");
}

void ReadSection(const std::string& path, const std::string& section)
{
    for (std::size_t size : kBufferSizes)
        CheckList(profile::ReadProfileSection(path, section, size), size);
    std::vector<std::string> lines = ZeroSeparated(profile::ReadProfileSection(path, section, 32767));
    lines.resize(std::min(lines.size(), kKeysRead));
    for (const std::string& line : lines) {
        const std::string key = line.substr(0, line.find('='));
        for (std::size_t size : kValueBufferSizes) {
            const std::string value = profile::ReadProfileString(path, section, key, "default", size);
            if (size == 0 ? !value.empty() : value.size() > size - 1)
                Broken("a value leaves room for its zero byte");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path
        = kelvara::fuzz::WriteFuzzFile("profile.ini", { reinterpret_cast<const char*>(data), size });
    for (std::size_t bufferSize : kBufferSizes)
        CheckList(profile::ReadProfileSectionNames(path, bufferSize), bufferSize);
    std::vector<std::string> sections = ZeroSeparated(profile::ReadProfileSectionNames(path, 32767));
    sections.resize(std::min(sections.size(), kSectionsRead));
    for (const std::string& section : sections)
        ReadSection(path, section);
    return 0;
}
