#include "PrivateProfile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace kelvara::platform {

namespace {

struct ProfileLine {
    std::string key;
    // A line without "=" has a key (the whole line) but no value.
    std::optional<std::string> value;
};

struct ProfileSection {
    std::string name;
    std::vector<ProfileLine> lines;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return LowerAscii(x) == LowerAscii(y);
    });
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

// The text lines of the file without their line ends, each cut to what the
// line buffer holds. A UTF-8 byte order mark at the start is not text.
std::vector<std::string_view> SplitLines(std::string_view bytes)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(byteOrderMark))
        bytes.remove_prefix(byteOrderMark.size());
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line.substr(0, kProfileLineLimit - 1));
    }
    return lines;
}

std::optional<std::string> SectionNameOf(std::string_view line)
{
    if (!line.starts_with('['))
        return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(Trimmed(line.substr(1, close - 1)));
}

ProfileLine KeyLineOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return { std::string(line), std::nullopt };
    return { std::string(Trimmed(line.substr(0, equals))), std::string(Trimmed(line.substr(equals + 1))) };
}

// Lines before the first section header belong to no section and are never read.
std::vector<ProfileSection> ParseProfile(std::string_view bytes)
{
    std::vector<ProfileSection> sections;
    for (std::string_view rawLine : SplitLines(bytes)) {
        const std::string_view line = Trimmed(rawLine);
        if (line.empty() || line.starts_with(';'))
            continue;
        if (auto name = SectionNameOf(line)) {
            sections.push_back({ std::move(*name), {} });
            continue;
        }
        if (!sections.empty())
            sections.back().lines.push_back(KeyLineOf(line));
    }
    return sections;
}

std::vector<ProfileSection> LoadProfile(const std::string& path)
{
    const auto bytes = ReadWholeFile(path);
    return bytes ? ParseProfile(*bytes) : std::vector<ProfileSection> {};
}

const ProfileSection* FindSection(const std::vector<ProfileSection>& sections, std::string_view name)
{
    const auto found = std::find_if(sections.begin(), sections.end(),
        [name](const ProfileSection& section) { return EqualIgnoringCase(section.name, name); });
    return found == sections.end() ? nullptr : &*found;
}

// Each item followed by a zero byte and the list by one more, cut to the
// buffer: a list that does not fit ends in its last item cut short and two
// zero bytes, filling the buffer.
std::string ZeroSeparatedList(const std::vector<std::string>& items, std::size_t bufferSize)
{
    if (bufferSize < 2)
        return {};
    std::string list;
    for (const std::string& item : items) {
        list += item;
        list += '\0';
    }
    if (list.empty())
        return std::string(2, '\0');
    if (list.size() + 1 <= bufferSize)
        return list + '\0';
    list.resize(bufferSize - 2);
    return list + std::string(2, '\0');
}

std::string LineText(const ProfileLine& line)
{
    return line.value ? line.key + "=" + *line.value : line.key;
}

} // namespace

std::string ReadProfileSectionNames(const std::string& path, std::size_t bufferSize)
{
    std::vector<std::string> names;
    for (const ProfileSection& section : LoadProfile(path))
        names.push_back(section.name);
    return ZeroSeparatedList(names, bufferSize);
}

std::string ReadProfileSection(const std::string& path, std::string_view section, std::size_t bufferSize)
{
    const auto sections = LoadProfile(path);
    std::vector<std::string> lines;
    if (const ProfileSection* found = FindSection(sections, section)) {
        for (const ProfileLine& line : found->lines)
            lines.push_back(LineText(line));
    }
    return ZeroSeparatedList(lines, bufferSize);
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
    std::string_view defaultValue, std::size_t bufferSize)
{
    if (bufferSize == 0)
        return {};
    const auto sections = LoadProfile(path);
    std::string value(defaultValue);
    if (const ProfileSection* found = FindSection(sections, section)) {
        const auto line = std::find_if(found->lines.begin(), found->lines.end(),
            [key](const ProfileLine& candidate) { return EqualIgnoringCase(candidate.key, key); });
        if (line != found->lines.end() && line->value)
            value = *line->value;
    }
    if (value.size() > bufferSize - 1)
        value.resize(bufferSize - 1);
    return value;
}

} // namespace kelvara::platform
