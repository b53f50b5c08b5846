// The names of every file a conversion writes: final outputs, intermediate
// files and the partial files of multi-step conversions. The builders, the
// stop procedure and the file list's Out Type column all ask here.
#pragma once

#include <string>

namespace kelvara {

// The PMP conversion writes its video and audio first, then muxes them.
std::string PmpFirstStepVideoPath(const std::string& outputFolder, const std::string& title);
std::string PmpFirstStepAudioPath(const std::string& outputFolder, const std::string& title);
std::string PmpFinalPath(const std::string& outputFolder, const std::string& title);

} // namespace kelvara
