// Whether a path is a file we may read or write as a file, checked before
// anything opens it for real: a FIFO opened for reading waits for a writer,
// and one opened for writing waits for a reader, forever.
#pragma once

#include <string>

namespace kelvara {

// The reason a source cannot be read as a file, empty when it can: the
// system's words for a missing or unreadable one, or what it is when it is
// not a regular file (a folder, a named pipe, a device, a socket). Never blocks.
std::string SourceFileProblem(const std::string& path);

// The reason an output cannot be written at `path`: something that is not a
// regular file is there. Empty when the name is free or a regular file.
std::string OutputFileProblem(const std::string& path);

} // namespace kelvara
