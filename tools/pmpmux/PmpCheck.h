// Verifying a written PMP file, alone or against the file its video or audio
// frames came from.
#pragma once

#include <string>

namespace kelvara::pmp {

// True when `pmpPath` is a well-formed PMP file; with a `sourcePath`, also
// when it carries exactly that file's video frames (or, for a file without
// video, its audio frames, followed by nothing but silent padding). On
// failure `error` says what is wrong; on success `summary` describes the file.
bool CheckPmp(
    const std::string& pmpPath, const std::string& sourcePath, std::string& error, std::string& summary);

} // namespace kelvara::pmp
