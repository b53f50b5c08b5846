#include "HardwareEncoders.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace kelvara {

namespace {

constexpr std::string_view kRenderNodePrefix = "renderD";
constexpr std::string_view kPreferredRenderNode = "renderD128";

// The second word of a listing line, where ffmpeg writes the encoder's name
// after its capability flags.
std::string NameOnLine(const std::string& line)
{
    std::istringstream words(line);
    std::string flags;
    std::string name;
    words >> flags >> name;
    return name;
}

} // namespace

std::vector<std::string> EncoderListArguments()
{
    return { "-hide_banner", "-nostdin", "-encoders" };
}

std::vector<HardwareEncoder> ListedHardwareEncoders(std::string_view listing)
{
    std::vector<std::string> names;
    std::istringstream lines { std::string(listing) };
    for (std::string line; std::getline(lines, line);)
        names.push_back(NameOnLine(line));
    std::vector<HardwareEncoder> listed;
    for (const HardwareEncoder& encoder : kHardwareEncoders) {
        if (std::ranges::find(names, encoder.name) != names.end())
            listed.push_back(encoder);
    }
    return listed;
}

std::string FirstRenderNode(const std::string& folder)
{
    std::error_code error;
    std::vector<std::string> nodes;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(kRenderNodePrefix))
            nodes.push_back(name);
    }
    if (nodes.empty())
        return {};
    std::ranges::sort(nodes);
    const auto preferred = std::ranges::find(nodes, kPreferredRenderNode);
    return (std::filesystem::path(folder) / (preferred != nodes.end() ? *preferred : nodes.front())).string();
}

std::vector<std::string> TrialArguments(const HardwareEncoder& encoder, const std::string& renderNode)
{
    std::vector<std::string> arguments { "-hide_banner", "-nostdin", "-loglevel", "error" };
    if (encoder.api == HardwareApi::Vaapi)
        arguments.insert(arguments.end(), { "-vaapi_device", renderNode });
    // Large enough for every card's smallest frame, small enough to be quick.
    arguments.insert(arguments.end(), { "-f", "lavfi", "-i", "color=size=256x256:duration=0.04" });
    if (encoder.api == HardwareApi::Vaapi)
        arguments.insert(arguments.end(), { "-vf", "format=nv12,hwupload" });
    arguments.insert(
        arguments.end(), { "-frames:v", "1", "-c:v", std::string(encoder.name), "-f", "null", "-" });
    return arguments;
}

} // namespace kelvara
