// What the converter checks before it starts ffmpeg: every source is a
// regular file that can be read, no output names something else than a
// regular file (a FIFO, a device, a folder), and no output is one of the
// sources in another spelling (a link, a hard link, "./", a relative path) —
// ffmpeg would truncate the source first.
#pragma once

#include "RequestParser.h"

#include <string>

namespace kelvara::tarvo {

// Inputs with their own -f (a device, a filter graph) name no file and pass.
bool IsFileInput(const InputRequest& input);

// The reason the request must not run, empty when it may.
std::string CheckSources(const Request& request);

} // namespace kelvara::tarvo
