#include "cli/KindListing.h"

#include "cli/DeviceProfiles.h"
#include "cli/KindTable.h"
#include "jobs/OptionDefaults.h"
#include "options/AudioKindOptions.h"
#include "options/OptionItems.h"
#include "options/OutputCatalogue.h"
#include "options/ProfileKind.h"

namespace kelvara::cli {
namespace {

std::string Padded(std::string_view text, std::size_t width)
{
    std::string padded(text);
    if (padded.size() < width)
        padded.append(width - padded.size(), ' ');
    return padded;
}

// The list item without the blanks that line it up in the window's combo.
std::string Tidy(std::string_view item)
{
    std::string tidy;
    for (const char c : item)
        if (c != ' ' || (!tidy.empty() && tidy.back() != ' '))
            tidy += c;
    while (!tidy.empty() && tidy.back() == ' ')
        tidy.pop_back();
    return tidy;
}

std::string Pictures()
{
    std::string text = "      --picture:\n";
    const auto types = PictureTypes();
    for (std::size_t position = 0; position < types.size(); ++position)
        text += "        " + Padded(PictureId(static_cast<int>(position)), 16)
            + std::string(types[position].comboText) + (position == 0 ? "  (the default)\n" : "\n");
    return text;
}

std::string MpegTypes()
{
    std::string text = "      --mpeg-type (or the type as the kind):\n";
    for (std::size_t position = 0; position < option_items::kMpegTypes.size(); ++position)
        text += "        " + Padded(MpegTypeId(static_cast<int>(position)), 16)
            + std::string(option_items::kMpegTypes[position])
            + (static_cast<int>(position) == kDefaultMpegType ? "  (the default)\n" : "\n");
    return text;
}

std::string AudioChoices(const OutputKind& kind)
{
    std::string text;
    if (AudioKindTakesBitrate(kind.kind)) {
        text += "      --bitrate:";
        for (const std::string_view item : option_items::kAudioBitrates)
            text += " " + (item == option_items::kAudioBitrates[0] ? std::string("auto") : Tidy(item));
        text += "\n";
    }
    text += "      --rate:";
    for (const std::string_view item : option_items::kAudioSampleRates)
        text += " " + (item == option_items::kAudioSampleRates[0] ? std::string("same") : Tidy(item));
    return text + "\n";
}

std::string Profiles(const std::string& toolDirectory, DeviceKind device)
{
    const ProfileTitles profiles = ReadProfileTitles(toolDirectory, device);
    if (!profiles.problem.empty())
        return "      --profile: none readable (" + profiles.problem + ")\n";
    std::string text = "      --profile:\n";
    for (std::size_t position = 0; position < profiles.titles.size(); ++position)
        text += "        " + Padded(std::to_string(position), 4) + profiles.titles[position]
            + (static_cast<int>(position) == profiles.start ? "  (the default)" : "")
            + (static_cast<int>(position) >= profiles.shipped ? "  (yours)\n" : "\n");
    return text;
}

} // namespace

std::string KindListing(const std::string& toolDirectory)
{
    std::string text = "Kinds (--kind ID) and their choices:\n";
    for (const KindId& entry : KindIds()) {
        text += "  " + Padded(entry.id, 10) + std::string(TabLabel(entry.kind)) + "\n";
        if (entry.kind.Is(PcKind::Image))
            text += Pictures();
        else if (entry.kind.Is(PcKind::Mpeg))
            text += MpegTypes();
        else if (entry.kind.category == OutputCategory::Audio)
            text += AudioChoices(entry.kind);
        else if (const std::optional<DeviceKind> device = ProfileKindOf(entry.kind))
            text += Profiles(toolDirectory, *device);
    }
    return text;
}

} // namespace kelvara::cli
