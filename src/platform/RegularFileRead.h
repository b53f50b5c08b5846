// Reading a whole file that the user may have replaced by anything: only a
// regular file is read, and only up to a size the caller can afford, so a
// FIFO, a device or a huge file named like the expected one never holds up
// the caller.
#pragma once

#include <cstddef>
#include <string>

namespace kelvara::platform {

enum class FileReadFailure {
    None,
    Missing,
    // A folder, a FIFO, a device or a socket.
    NotRegular,
    TooLarge,
    Unreadable,
};

struct RegularFileRead {
    std::string bytes;
    FileReadFailure failure = FileReadFailure::None;
    // The errno behind Missing or Unreadable; 0 otherwise.
    int error = 0;

    bool Ok() const { return failure == FileReadFailure::None; }
};

// The bytes of the regular file at `path` when it holds at most `maxBytes`.
// The file is opened without waiting (O_NONBLOCK) and looked at before it is
// read, so opening a FIFO without a writer or a device never blocks.
RegularFileRead ReadRegularFile(const std::string& path, std::size_t maxBytes);

} // namespace kelvara::platform
