#include "MediaMaker.h"

#include "process/Spawner.h"

#include <cstdlib>
#include <unistd.h>

namespace kelvara::testing {

CommandResult RunProgram(const std::vector<std::string>& arguments)
{
    CommandResult result;
    std::optional<PipeEnds> output = CreatePipe();
    if (!output || arguments.empty())
        return result;
    SpawnRequest request;
    request.program = arguments.front();
    request.arguments = arguments;
    request.descriptors = { { 1, output->writeEnd.Get() }, { 2, output->writeEnd.Get() } };
    SpawnResult started = Spawn(request);
    output->writeEnd.Close();
    if (!started.Started())
        return result;
    char buffer[4096];
    ssize_t count;
    while ((count = ::read(output->readEnd.Get(), buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(count));
    started.child.Wait();
    result.exitCode = started.child.ExitCode();
    return result;
}

bool MakeClip(const std::string& path, double seconds, int width, int height,
    const std::vector<std::string>& extraOutputOptions)
{
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string length = std::to_string(seconds);
    std::vector<std::string> arguments = { "ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
        "testsrc2=size=" + size + ":rate=25:duration=" + length, "-f", "lavfi", "-i",
        "sine=frequency=440:sample_rate=44100:duration=" + length, "-shortest" };
    arguments.insert(arguments.end(), extraOutputOptions.begin(), extraOutputOptions.end());
    arguments.push_back(path);
    return RunProgram(arguments).exitCode == 0;
}

std::optional<std::string> Probe(
    const std::string& path, const std::string& entry, const std::string& streams)
{
    std::vector<std::string> arguments = { "ffprobe", "-v", "error" };
    if (!streams.empty()) {
        arguments.push_back("-select_streams");
        arguments.push_back(streams);
    }
    arguments.insert(arguments.end(), { "-show_entries", entry, "-of", "default=nw=1:nk=1", path });
    CommandResult result = RunProgram(arguments);
    if (result.exitCode != 0)
        return std::nullopt;
    std::string& text = result.output;
    const std::size_t end = text.find('\n');
    if (end != std::string::npos)
        text.erase(end);
    if (text.empty() || text == "N/A")
        return std::nullopt;
    return text;
}

std::optional<double> ProbeDuration(const std::string& path)
{
    const std::optional<std::string> text = Probe(path, "format=duration");
    if (!text)
        return std::nullopt;
    return std::strtod(text->c_str(), nullptr);
}

} // namespace kelvara::testing
