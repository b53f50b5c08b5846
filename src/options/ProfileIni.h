// The reader of the device profile files: it reads the file opened last once
// into an index and answers every question from it.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvara {

namespace platform {
class ProfileFile;
}

// The profile file of each device kind, relative to the tool directory,
// indexed by the device kind.
inline constexpr std::array<std::string_view, 11> kDeviceProfileFiles = {
    "./TARVO_Pro_PSP.ini",
    "./TARVO_Pro_Xbox.ini",
    "./TARVO_Pro_PPC.ini",
    "./TARVO_Pro_PMP.ini",
    "./TARVO_Pro_MP4.ini",
    "./TARVO_Pro_MKV.ini",
    "./TARVO_Pro_WebM.ini",
    "./TARVO_Pro_AV1.ini",
    "./TARVO_Pro_Phone.ini",
    "./TARVO_Pro_TV.ini",
    "./TARVO_Pro_Web.ini",
};

class ProfileIni {
public:
    // The buffers the reads go through; the profile files are written to fit.
    static constexpr std::size_t kSectionBufferSize = 65535;
    static constexpr std::size_t kStringBufferSize = 1024;
    static constexpr std::size_t kHasKeysBufferSize = 1024;

    // Reads and indexes the file at `path` for every later question; true
    // when it was read. A path without a readable regular file of at most
    // 1 MiB reads as an empty file; Refusal() then says why, unless there is
    // simply nothing at the path.
    bool Open(const std::string& path);

    // Why the file opened last was not read, as a sentence for the user that
    // names the file; empty when it was read or is missing.
    const std::string& Refusal() const { return m_refusal; }

    // True when `section` holds at least one line.
    bool HasKeys(std::string_view section) const;

    // The value of `key` in `section`, or empty text; at most 1023 characters.
    std::string GetString(std::string_view section, std::string_view key) const;

    // Replaces `names` with the file's section names in file order and returns
    // their number. A missing or empty file gives one empty name.
    int GetSectionNames(std::vector<std::string>& names) const;

    // Replaces `keys` and `values` with the section's lines in order, each split
    // at its first "=" (a line without one has an empty key and the whole line
    // as its value), and returns the number of lines. A missing section gives
    // one line with an empty key and an empty value.
    int GetSection(
        std::string_view section, std::vector<std::string>& keys, std::vector<std::string>& values) const;

private:
    const platform::ProfileFile& File() const;

    // Shared, so that a copy of the reader costs nothing.
    std::shared_ptr<const platform::ProfileFile> m_file;
    std::string m_refusal;
};

// The lines of one profile, as the device converters take its command
// templates: by line number, where line 0 is the title line.
class ProfileLines {
public:
    ProfileLines() = default;
    explicit ProfileLines(std::vector<std::string> values)
        : m_values(std::move(values))
    {
    }

    // The value of line `number`; empty text beyond the section's lines.
    std::string Line(std::size_t number) const
    {
        return number < m_values.size() ? m_values[number] : std::string();
    }
    std::size_t Count() const { return m_values.size(); }

private:
    std::vector<std::string> m_values;
};

// The profile at `profilePosition` in the profile list: the section at
// position `profilePosition` + 1 of the opened file, since "Info" comes first.
// A position beyond the file's sections reads as a profile of empty lines.
ProfileLines ReadProfileAt(const ProfileIni& ini, int profilePosition);

} // namespace kelvara
