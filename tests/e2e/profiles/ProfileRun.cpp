#include "ProfileRun.h"

#include "options/ProfileIni.h"
#include "process/CommandLine.h"

#include <cstdlib>
#include <utility>

namespace kelvara::testing {

namespace {

struct PanelKey {
    const char* key;
    DeviceList list;
};

// The keys the panel reads for each device, and the list each one selects.
std::vector<PanelKey> PanelKeys(DeviceKind device)
{
    switch (device) {
    case DeviceKind::Psp:
        return { { "VideoSize", DeviceList::VideoSize }, { "VideoBitrate", DeviceList::VideoBitrate },
            { "FrameRate", DeviceList::FrameRate }, { "AudioBitrate", DeviceList::AudioBitrate },
            { "Channel", DeviceList::Channel } };
    case DeviceKind::Xbox360:
        return { { "VideoSize", DeviceList::VideoSize }, { "VideoBitrate", DeviceList::VideoBitrate },
            { "FrameRate", DeviceList::FrameRate }, { "Aspect", DeviceList::Aspect },
            { "AudioBitrate", DeviceList::AudioBitrate }, { "Channel", DeviceList::Channel } };
    case DeviceKind::PocketPc:
        return { { "VideoSize", DeviceList::VideoSize }, { "VideoBitrate", DeviceList::VideoBitrate },
            { "FrameRate", DeviceList::FrameRate }, { "AudioBitrate", DeviceList::AudioBitrate },
            { "Channel", DeviceList::Channel } };
    case DeviceKind::Pmp:
        return { { "VideoSize", DeviceList::VideoSize }, { "VideoBitrate", DeviceList::VideoBitrate },
            { "FrameRate", DeviceList::FrameRate }, { "AudioBitrate", DeviceList::AudioBitrate },
            { "AudioSample", DeviceList::AudioSample } };
    default: // today's video kinds have their own test
        break;
    }
    return {};
}

void Select(DeviceSelections& selections, DeviceList list, int position)
{
    switch (list) {
    case DeviceList::VideoSize:
        selections.videoSize = position;
        break;
    case DeviceList::VideoBitrate:
        selections.videoBitrate = position;
        break;
    case DeviceList::FrameRate:
        selections.frameRate = position;
        break;
    case DeviceList::AudioBitrate:
        selections.audioBitrate = position;
        break;
    case DeviceList::Channel:
        selections.channel = position;
        break;
    case DeviceList::Aspect:
        selections.aspect = position;
        break;
    case DeviceList::AudioSample:
        selections.audioSample = position;
        break;
    }
}

// Each step: the template line it runs and, for the PMP, the file the
// converter deletes after it.
struct Step {
    std::size_t line;
    std::string deletedSuffix;
};

std::vector<Step> StepsOf(DeviceKind device)
{
    switch (device) {
    case DeviceKind::Psp:
        return { { 1, "" }, { 2, "" } };
    case DeviceKind::Pmp:
        return { { 1, "" }, { 2, "" }, { 3, "0001.avi" }, { 4, "0001.mp3" } };
    default: // one step, as the Xbox360's and Pocket PC's
        return { { 1, "" } };
    }
    return {};
}

CommandResult RunCommand(const std::string& command)
{
    auto arguments = SplitCommandLine(command);
    if (!arguments || arguments->empty())
        return { -1, "cannot split: " + command };
    arguments->front() = ToolProgram(arguments->front());
    return RunProgram(*arguments);
}

} // namespace

std::filesystem::path ProfileFilePath(DeviceKind device)
{
    return std::filesystem::path(KELVARA_TOOL_DIR)
        / std::filesystem::path(kDeviceProfileFiles[static_cast<std::size_t>(device)]).filename();
}

DeviceSelections PanelSelectionsFor(DeviceKind device, int profile)
{
    ProfileIni ini;
    ini.Open(ProfileFilePath(device).string());
    const std::string section = "profile" + std::to_string(profile);
    DeviceSelections selections;
    for (const PanelKey& key : PanelKeys(device))
        Select(selections, key.list, std::atoi(ini.GetString(section, key.key).c_str()));
    if (device == DeviceKind::PocketPc || device == DeviceKind::Pmp)
        selections.aspect = 0;
    return selections;
}

std::string ProfileValue(DeviceKind device, int profile, DeviceList list)
{
    return std::string(DeviceValue(device, list, PanelSelectionsFor(device, profile).At(list)));
}

std::vector<StepResult> RunDeviceProfile(
    DeviceKind device, int profile, const JobRecord& job, const std::string& outputFolder)
{
    ProfileIni ini;
    ini.Open(ProfileFilePath(device).string());
    const ProfileLines lines = ReadProfileAt(ini, profile);
    SubstitutionContext context;
    context.outputFolder = outputFolder;
    context.device = device;
    context.profileSelection = profile;
    context.selections = PanelSelectionsFor(device, profile);
    context.now = CurrentLocalDateTime();

    std::vector<StepResult> results;
    for (const Step& step : StepsOf(device)) {
        StepResult result;
        result.command = SubstituteTemplate(lines.Line(step.line), job, context);
        result.run = RunCommand(result.command);
        results.push_back(std::move(result));
        if (!step.deletedSuffix.empty())
            std::filesystem::remove(outputFolder + job.outputTitle + step.deletedSuffix);
    }
    return results;
}

} // namespace kelvara::testing
