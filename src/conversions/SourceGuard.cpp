#include "SourceGuard.h"

#include "files/SameFile.h"
#include "process/CommandLine.h"

#include <optional>
#include <vector>

namespace kelvara {

bool WouldOverwriteSource(const std::string& outputPath, const std::string& sourcePath)
{
    return !outputPath.empty() && !sourcePath.empty() && IsSameFile(outputPath, sourcePath);
}

bool CommandWouldOverwriteSource(
    const EncoderCommand& command, const std::string& sourcePath, const std::string& workingDirectory)
{
    const std::optional<std::vector<std::string>> arguments = SplitCommandLine(command);
    if (!arguments)
        return false; // the runner refuses an unclosed quote by itself
    // The first argument is the program.
    for (std::size_t i = 1; i < arguments->size(); ++i) {
        const std::string& argument = (*arguments)[i];
        if (argument == "-i") {
            ++i; // an input is read, not written
            continue;
        }
        if (argument.empty())
            continue;
        const std::string path = argument.front() == '/' ? argument : workingDirectory + argument;
        if (WouldOverwriteSource(path, sourcePath))
            return true;
    }
    return false;
}

} // namespace kelvara
