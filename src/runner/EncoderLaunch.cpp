#include "EncoderLaunch.h"

#include "process/CommandLine.h"
#include "process/ProgramLookup.h"
#include "runner/EncoderOutputLines.h"

#include <csignal>

namespace kelvara {

namespace {

// Enough for the last lines a job keeps, even long ones.
constexpr std::size_t kOutputTailBytes = 8192;

} // namespace

std::optional<std::vector<std::string>> ResolveEncoderCommand(
    const EncoderCommand& command, const std::string& toolDirectory, std::string& reason)
{
    std::optional<std::vector<std::string>> arguments = SplitCommandLine(command);
    if (!arguments || arguments->empty()) {
        reason = arguments ? "The command is empty." : "The command has an unclosed quote.";
        return std::nullopt;
    }
    const ProgramLookup program = FindProgram(arguments->front(), toolDirectory);
    if (!program.Found()) {
        reason = "Cannot find " + arguments->front() + " in the tool directory " + toolDirectory
            + " or on the PATH.";
        return std::nullopt;
    }
    arguments->insert(arguments->begin(), program.path);
    return arguments;
}

SpawnResult SpawnEncoder(
    const std::vector<std::string>& arguments, const std::string& toolDirectory, int input, int output)
{
    SpawnRequest request;
    request.program = arguments.front();
    request.arguments.assign(arguments.begin() + 1, arguments.end());
    request.workingDirectory = toolDirectory;
    if (input >= 0)
        request.descriptors.push_back({ 0, input });
    if (output >= 0) {
        request.descriptors.push_back({ 1, output });
        request.descriptors.push_back({ 2, output });
    }
    // The encoder must not outlive us, and a Ctrl-C in the terminal that
    // started us must not reach it: we stop it ourselves, in order.
    request.parentDeathSignal = SIGKILL;
    request.newSession = true;
    return Spawn(request);
}

std::string EncoderFailureReason(std::string_view outputTail, const ChildProcess& encoder)
{
    constexpr std::size_t kLines = 3;
    std::string reason = LastEncoderLines(outputTail, kLines, StatusLines::Dropped);
    if (!reason.empty())
        return reason;
    return encoder.TerminatingSignal() != 0
        ? "The encoder was ended by signal " + std::to_string(encoder.TerminatingSignal()) + "."
        : "The encoder failed with exit status " + std::to_string(encoder.ExitCode()) + ".";
}

void KeepOutputTail(std::string& tail, std::string_view chunk)
{
    tail += chunk;
    if (tail.size() > kOutputTailBytes)
        tail.erase(0, tail.size() - kOutputTailBytes);
}

} // namespace kelvara
