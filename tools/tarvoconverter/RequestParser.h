// The command line as the converter's callers write it, read into inputs and
// outputs with the options that belong to each (ffmpeg's grouping: options
// apply to the file that follows them).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvara::tarvo {

struct FrameSize {
    int width = 0;
    int height = 0;
};

struct InputRequest {
    std::string path;
    // The options written before this input, handed to ffmpeg unchanged.
    std::vector<std::string> options;
    // An input with its own -f names no file (a device, a filter graph).
    bool hasExplicitFormat = false;
};

struct OutputRequest {
    std::string path;
    // The options of this output that the converter does not interpret, in
    // their order, for ffmpeg.
    std::vector<std::string> ffmpegOptions;
    std::optional<double> lengthSeconds; // -t
    bool singleFrame = false; // -t 0.001
    bool pictureRequested = false; // -f image2
    std::optional<FrameSize> size; // -s W*H or WxH
    std::optional<int> audioBitrateKbps; // -ab
    std::optional<int> sampleRateHz; // -ar
    // Where ffmpeg writes the output when not at `path`: the name of a
    // descriptor ("/proc/self/fd/40"), which has no extension to tell the
    // format by. Empty when ffmpeg writes at `path`.
    std::string writtenAt;
};

struct Request {
    std::vector<InputRequest> inputs;
    // A -ss written among output options; it seeks in the inputs.
    std::optional<double> startSeconds;
    std::vector<OutputRequest> outputs;
};

struct ParsedCommandLine {
    std::optional<Request> request;
    std::string error; // set when request is empty
};

// The arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

} // namespace kelvara::tarvo
