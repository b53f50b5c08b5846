// Reading private-profile INI files by path, with the rules and limits the
// device profile files were written for: the file is read once into a
// ProfileFile, which answers the way the classic INI calls fill their
// buffers, and the caller splits the answer.
#pragma once

#include "platform/ProfileFile.h"
#include "platform/RegularFileRead.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara::platform {

// A profile file larger than this is not read: the shipped files hold a few
// kilobytes, and indexing a mebibyte stays well within a GUI frame budget.
inline constexpr std::size_t kProfileFileLimit = std::size_t { 1 } << 20;

struct LoadedProfile {
    ProfileFile file;
    // Why the file reads as empty; None when it was read.
    FileReadFailure failure = FileReadFailure::None;
    int error = 0;
};

// Reads and indexes the file at `path` when it is a regular file of at most
// kProfileFileLimit bytes; anything else (missing, a folder, a FIFO, a
// device, too large, unreadable) gives a file without sections and the
// reason. Never blocks on a FIFO or a device.
LoadedProfile LoadProfileFile(const std::string& path);

// The questions of ProfileFile on the file at `path`, read for this one
// question; a file that LoadProfileFile does not read answers as an empty one.
std::string ReadProfileSectionNames(const std::string& path, std::size_t bufferSize);
std::string ReadProfileSection(const std::string& path, std::string_view section, std::size_t bufferSize);
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
    std::string_view defaultValue, std::size_t bufferSize);

} // namespace kelvara::platform
