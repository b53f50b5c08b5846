// tarvoconverter's command line: any arguments (the input split at zero
// bytes) are read into a request or refused with a reason, and a request is
// turned into an ffmpeg command line.
#include "FfmpegInvocation.h"
#include "FuzzFile.h"
#include "RequestParser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using kelvara::fuzz::Broken;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const std::size_t zero = text.find('\0');
        arguments.emplace_back(text.substr(0, zero));
        text.remove_prefix(zero == std::string_view::npos ? text.size() : zero + 1);
    }
    const kelvara::tarvo::ParsedCommandLine parsed = kelvara::tarvo::ParseCommandLine(arguments);
    if (!parsed.request) {
        if (parsed.error.empty())
            Broken("a refused command line says why");
        return 0;
    }
    const auto invocation = kelvara::tarvo::BuildFfmpegInvocation(*parsed.request, "/tmp/work/");
    if (invocation.arguments.empty())
        Broken("a request becomes an ffmpeg command line");
    return 0;
}
