// Reading private-profile INI files ("[section]" lines and "key=value" lines)
// with the rules and limits the device profile files were written for: the
// functions fill a buffer of a given size the way the classic INI calls do,
// and the caller splits it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara::platform {

// Every line of the file, a section name line or a key=value line, is read
// through a buffer of this many characters: the characters after the first
// (kProfileLineLimit - 1) of a longer line are lost.
inline constexpr std::size_t kProfileLineLimit = 1024;

// The section names in file order, each followed by a zero byte, and one more
// zero byte at the end, as they fit into a buffer of `bufferSize` bytes. When
// they do not fit, the last name is cut short and still followed by two zero
// bytes. A missing, unreadable or empty file gives "\0\0". The result holds
// the bytes written, at most `bufferSize` (nothing when `bufferSize` < 2).
std::string ReadProfileSectionNames(const std::string& path, std::size_t bufferSize);

// The lines of the first section named `section` (compared without regard to
// case) as "key=value" texts in file order, with the same zero-byte layout and
// truncation as above. Key and value are trimmed; a line without "=" comes
// back as it stands; blank lines and ";" comments are left out. A missing
// section gives "\0\0".
std::string ReadProfileSection(const std::string& path, std::string_view section, std::size_t bufferSize);

// The value of the first line whose key is `key` in the first section named
// `section` (both compared without regard to case), or `defaultValue` when
// there is none, cut to at most `bufferSize` - 1 characters.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
    std::string_view defaultValue, std::size_t bufferSize);

} // namespace kelvara::platform
