// Writing a PMP file from a video file (MPEG-4 part 2 or H.264, one packet
// per frame at a constant frame rate, as in an AVI) and an MP3 file.
#pragma once

#include <string>

namespace kelvara::pmp {

// Writes `outputPath`; on failure removes what was written and says why in
// `error`.
bool MuxPmp(const std::string& videoPath, const std::string& audioPath, const std::string& outputPath,
    std::string& error);

} // namespace kelvara::pmp
