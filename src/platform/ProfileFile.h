// A private-profile INI file ("[section]" lines and "key=value" lines) read
// once into an index: its sections and their lines in file order, and where
// each name is found first. Every question is then answered from the index,
// with the rules and buffer limits the device profile files were written for,
// so asking for every profile's title costs no more than reading the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kelvara::platform {

// Every line of the file, a section name line or a key=value line, is read
// through a buffer of this many characters: the characters after the first
// (kProfileLineLimit - 1) of a longer line are lost.
inline constexpr std::size_t kProfileLineLimit = 1024;

class ProfileFile {
public:
    // A file without sections, as a missing or empty file reads.
    ProfileFile() = default;
    // Names and lines point into the file's own copy of the text, which a
    // move keeps and a copy would not.
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;
    ProfileFile(ProfileFile&&) = default;
    ProfileFile& operator=(ProfileFile&&) = default;

    // Indexes the text of a file in one pass. Lines before the first section
    // header belong to no section and are never read; blank lines and ";"
    // comments are left out; a UTF-8 byte order mark at the start is not text.
    static ProfileFile Parse(std::string_view bytes);

    std::size_t SectionCount() const { return m_sections.size(); }

    // The section names in file order, each followed by a zero byte, and one
    // more zero byte at the end, as they fit into a buffer of `bufferSize`
    // bytes. When they do not fit, the last name is cut short and still
    // followed by two zero bytes. A file without sections gives "\0\0". The
    // result holds the bytes written, at most `bufferSize` (nothing when
    // `bufferSize` < 2).
    std::string SectionNames(std::size_t bufferSize) const;

    // The lines of the first section named `section` (compared without regard
    // to case) as "key=value" texts in file order, with the same zero-byte
    // layout and truncation as above. Key and value are trimmed; a line
    // without "=" comes back as it stands. A missing section gives "\0\0".
    std::string Section(std::string_view section, std::size_t bufferSize) const;

    // The value of the first line whose key is `key` in the first section
    // named `section` (both compared without regard to case), or
    // `defaultValue` when there is none or that line has no "=", cut to at
    // most `bufferSize` - 1 characters.
    std::string String(std::string_view section, std::string_view key, std::string_view defaultValue,
        std::size_t bufferSize) const;

private:
    struct Line {
        std::string_view key;
        // A line without "=" has a key (the whole line) but no value.
        std::optional<std::string_view> value;
    };
    struct Named {
        std::string_view name;
        // The section's lines are m_lines[firstLine, firstLine + lineCount).
        std::size_t firstLine = 0;
        std::size_t lineCount = 0;
    };
    struct FoldedHash {
        std::size_t operator()(std::string_view text) const;
        std::size_t operator()(const std::pair<std::size_t, std::string_view>& key) const;
    };
    struct FoldedEqual {
        bool operator()(std::string_view a, std::string_view b) const;
        bool operator()(const std::pair<std::size_t, std::string_view>& a,
            const std::pair<std::size_t, std::string_view>& b) const;
    };

    std::optional<std::size_t> Find(std::string_view section) const;
    void AddSection(std::string_view name);
    void AddLine(std::string_view line);
    void IndexKeysOfLastSection();
    const Line* FindLine(std::size_t section, std::string_view key) const;

    std::vector<char> m_text;
    std::vector<Named> m_sections;
    std::vector<Line> m_lines;
    // Name, compared without regard to case -> the first section of that name.
    std::unordered_map<std::string_view, std::size_t, FoldedHash, FoldedEqual> m_firstSection;
    // (section, key) -> the key's first line, for the long sections only:
    // a short one is searched faster than hashed, and a long one asked for
    // many keys stays linear in the file's size.
    std::unordered_map<std::pair<std::size_t, std::string_view>, std::size_t, FoldedHash, FoldedEqual>
        m_firstLineInLongSections;
};

} // namespace kelvara::platform
