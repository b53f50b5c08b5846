#include "MediaTools.h"

#include "support/MediaMaker.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kelvara::testing {

namespace {

std::string Unquoted(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

bool ToolDirectoryHas(const std::string& name)
{
    const std::filesystem::path path = std::filesystem::path(KELVARA_TOOL_DIR) / name;
    return access(path.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(path);
}

std::string ToolProgram(const std::string& name)
{
    if (ToolDirectoryHas(name))
        return (std::filesystem::path(KELVARA_TOOL_DIR) / name).string();
    return name;
}

bool MakeSourceClip(const std::filesystem::path& path, double seconds, const std::string& size)
{
    const std::string duration = std::to_string(seconds);
    return RunProgram({ "ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                          "testsrc2=size=" + size + ":rate=25:duration=" + duration, "-f", "lavfi", "-i",
                          "sine=frequency=440:sample_rate=44100:duration=" + duration, "-c:v", "mpeg4",
                          "-q:v", "4", "-c:a", "pcm_s16le", "-ac", "2", path.string() })
               .exitCode
        == 0;
}

ProbeFacts Probe(const std::filesystem::path& path)
{
    const CommandResult probe = RunProgram({ "ffprobe", "-v", "error", "-count_frames", "-show_format",
        "-show_streams", "-of", "flat", path.string() });
    ProbeFacts facts;
    if (probe.exitCode != 0)
        return facts;
    std::istringstream lines(probe.output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            facts[line.substr(0, equals)] = Unquoted(line.substr(equals + 1));
    }
    return facts;
}

ProbeFacts StreamOf(const ProbeFacts& facts, const std::string& type)
{
    for (int index = 0; index < 8; ++index) {
        const std::string prefix = "streams.stream." + std::to_string(index) + ".";
        const auto found = facts.find(prefix + "codec_type");
        if (found == facts.end() || found->second != type)
            continue;
        ProbeFacts stream;
        for (const auto& [key, value] : facts) {
            if (key.starts_with(prefix))
                stream[key.substr(prefix.size())] = value;
        }
        return stream;
    }
    return {};
}

double NumberOf(const ProbeFacts& facts, const std::string& key)
{
    const auto found = facts.find(key);
    return found == facts.end() ? 0.0 : std::atof(found->second.c_str());
}

double RateOf(const std::string& text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return std::atof(text.c_str());
    const double denominator = std::atof(text.c_str() + slash + 1);
    return denominator > 0 ? std::atof(text.substr(0, slash).c_str()) / denominator : 0.0;
}

CommandResult DecodeToTheEnd(const std::filesystem::path& path)
{
    return RunProgram({ "ffmpeg", "-nostdin", "-v", "error", "-i", path.string(), "-f", "null", "-" });
}

} // namespace kelvara::testing
