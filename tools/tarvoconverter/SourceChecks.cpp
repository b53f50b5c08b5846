#include "SourceChecks.h"

#include "SameFile.h"
#include "process/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace kelvara::tarvo {

namespace {

std::string CheckReadable(const std::string& path)
{
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsOpen())
        return "cannot read '" + path + "': " + std::strerror(errno);
    struct stat info { };
    if (::fstat(file.Get(), &info) == 0 && S_ISDIR(info.st_mode))
        return "cannot read '" + path + "': " + std::strerror(EISDIR);
    return {};
}

} // namespace

bool IsFileInput(const InputRequest& input)
{
    return !input.hasExplicitFormat && input.path != "-" && !input.path.starts_with("pipe:")
        && input.path.find("://") == std::string::npos;
}

std::string CheckSources(const Request& request)
{
    for (const InputRequest& input : request.inputs) {
        if (!IsFileInput(input))
            continue;
        if (std::string error = CheckReadable(input.path); !error.empty())
            return error;
        for (const OutputRequest& output : request.outputs) {
            if (IsSameFile(input.path, output.path))
                return "the output '" + output.path + "' is the same file as the input '" + input.path
                    + "'; the input is left as it is";
        }
    }
    return {};
}

} // namespace kelvara::tarvo
