// Finding the graphics card encoders that work here: ffmpeg's list of
// encoders, then one trial frame through each candidate. Blocks for a
// moment; the program runs it on a thread of its own.
#pragma once

#include "HardwareEncoders.h"

#include <chrono>
#include <stop_token>
#include <string>
#include <vector>

namespace kelvara {

struct DetectionRequest {
    std::string ffmpeg; // a path, or a name looked up on PATH
    std::string renderFolder = "/dev/dri";
    // For each run of ffmpeg. A card that answers does so in a fraction of
    // a second; one that takes longer is of no use for a quick start.
    std::chrono::milliseconds timeout { 5000 };
};

// The encoders that encoded their trial frame, in table order. A requested
// stop ends the run in progress and gives what is known so far.
std::vector<UsableEncoder> DetectHardwareEncoders(
    const DetectionRequest& request, const std::stop_token& stop = {});

} // namespace kelvara
