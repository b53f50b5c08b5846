#include "SourceChecks.h"

#include "files/FileChecks.h"
#include "files/SameFile.h"

namespace kelvara::tarvo {

namespace {

// "-", "pipe:1" and addresses name no file.
bool IsFileOutput(const OutputRequest& output)
{
    return !output.path.empty() && output.path != "-" && !output.path.starts_with("pipe:")
        && output.path.find("://") == std::string::npos;
}

} // namespace

bool IsFileInput(const InputRequest& input)
{
    return !input.hasExplicitFormat && input.path != "-" && !input.path.starts_with("pipe:")
        && input.path.find("://") == std::string::npos;
}

std::string CheckSources(const Request& request)
{
    // First of all, and without opening any for real: ffmpeg would wait
    // forever on a FIFO, and so would a caller on ffmpeg.
    for (const InputRequest& input : request.inputs) {
        if (!IsFileInput(input))
            continue;
        if (std::string error = SourceFileProblem(input.path); !error.empty())
            return error;
    }
    for (const OutputRequest& output : request.outputs) {
        if (!IsFileOutput(output))
            continue;
        if (std::string error = OutputFileProblem(output.path); !error.empty())
            return error;
    }
    for (const InputRequest& input : request.inputs) {
        if (!IsFileInput(input))
            continue;
        for (const OutputRequest& output : request.outputs) {
            if (IsSameFile(input.path, output.path))
                return "the output '" + output.path + "' is the same file as the input '" + input.path
                    + "'; the input is left as it is";
        }
    }
    return {};
}

} // namespace kelvara::tarvo
