// Translation of a request into one ffmpeg command line.
#pragma once

#include "OutputFormat.h"
#include "RequestParser.h"

#include <string>
#include <vector>

namespace kelvara::tarvo {

// File descriptors as ffmpeg sees them: progress reports on one, each frame
// for our own picture writers on one of its own after it.
constexpr int kProgressChildFd = 3;
constexpr int kFirstFrameChildFd = 4;

// Several status lines a second while ffmpeg works.
constexpr const char* kProgressPeriodSeconds = "0.5";

constexpr int kGifFramesPerSecond = 15;

struct OwnPictureTarget {
    std::string path;
    std::size_t outputIndex = 0; // in the request's outputs
    OwnPictureFormat format = OwnPictureFormat::Eps;
    int childFd = -1; // where ffmpeg writes the frame as binary PPM
};

struct FfmpegInvocation {
    std::vector<std::string> arguments; // after the program name
    std::vector<OwnPictureTarget> ownPictures;
    // A GIF animation takes the palette of the whole clip, which a first run
    // with these arguments writes into the work folder; empty without one.
    std::vector<std::string> paletteArguments;
    // False when an output that ffmpeg writes at a descriptor's name has a
    // format (or picture encoder) that only its own name could tell ffmpeg.
    bool formatsTold = true;
};

// workFolder: a private folder for temporary files, ending in "/".
FfmpegInvocation BuildFfmpegInvocation(const Request& request, const std::string& workFolder);

// Whether ffmpeg can be told this output's format when it writes it at a
// descriptor's name: its options give it, or its extension is one we know.
bool FormatKnownWithoutTheName(const OutputRequest& output);

} // namespace kelvara::tarvo
