#include "options/OutputCatalogue.h"

#include "options/DeviceProfilePanel.h"
#include "options/ProfileKind.h"

namespace kelvara {
namespace {

constexpr std::array<std::string_view, 7> kPcLabels = { "AVI", "MPEG", "Image", "MP4", "MKV", "WebM", "AV1" };
constexpr std::array<std::string_view, 7> kMobileLabels
    = { "Sony PSP", "Xbox360", "Pocket PC", "PMP", "Phone & tablet", "TV & streaming stick", "Web" };
constexpr std::array<std::string_view, 10> kAudioLabels = { "To MP3", "To WMA", "To WAV", "To MP2", "To AC3",
    "To FLAC", "To Opus", "To AAC", "To Ogg Vorbis", "To ALAC" };

// Each description is stored whole, as the panel shows it.
constexpr std::array<PictureType, 13> kPictureTypes = { {
    { "To GIF Animation - gif video(*.gif)",
        "    Convert your video files to Gif animation so you can enjoy them \n with your Gif Picture Viewer "
        "and ACDSee" },
    { "To GIF Image - gif picture(*.gif)",
        "    Extract the first frame of your video files into gif format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To BMP Image - bmp picture(*.bmp)",
        "    Extract the first frame of your video files into bmp format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To EPS Image - eps picture(*.eps)",
        "    Extract the first frame of your video files into eps format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To JPG Image - jpg picture(*.jpg)",
        "    Extract the first frame of your video files into jpg format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To PCX Image - pcx picture(*.pcx)",
        "    Extract the first frame of your video files into pcx format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To PSD Image - psd picture(*.psd)",
        "    Extract the first frame of your video files into psd format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer and Photoshop" },
    { "To PDF Image - pdf picture(*.pdf)",
        "    Extract the first frame of your video files into pdf format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To TIFF Image - tiff picture(*.tiff)",
        "    Extract the first frame of your video files into tiff format picture\n so you can enjoy them "
        "with your Picture Viewer" },
    { "To WMF Image - wmf picture(*.wmf)",
        "    Extract the first frame of your video files into wmf format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To EMF Image - emf picture(*.emf)",
        "    Extract the first frame of your video files into emf format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To PNG Image - png picture(*.png)",
        "    Extract the first frame of your video files into png format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
    { "To J2K Image - j2k picture(*.j2k)",
        "    Extract the first frame of your video files into j2k format picture\n so you can enjoy them "
        "with "
        "your Picture Viewer" },
} };

constexpr std::array<std::string_view, 10> kAudioDescriptions = {
    "    It can convert almost all kinds of audio and video files to an MP3 file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nMP3 file.",
    "    It can convert almost all kinds of audio and video files to an WMA file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nWMA file.",
    "    It can convert almost all kinds of audio and video files to an WAV file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nWAV file.",
    "    It can convert almost all kinds of audio and video files to an MP2 file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nMP2 file.",
    "    It can convert almost all kinds of audio and video files to an AC3 file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nAC3 file.",
    "    It can convert almost all kinds of audio and video files to a FLAC file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nFLAC file.",
    "    It can convert almost all kinds of audio and video files to an Opus file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nOpus file.",
    "    It can convert almost all kinds of audio and video files to an AAC file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nAAC file.",
    "    It can convert almost all kinds of audio and video files to an Ogg Vorbis file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nOgg Vorbis file.",
    "    It can convert almost all kinds of audio and video files to an ALAC file.\n With the build-in "
    "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
    "section of the file to high quality\nALAC file.",
};

} // namespace

std::span<const std::string_view> TabLabels(OutputCategory category)
{
    switch (category) {
    case OutputCategory::PcVideo:
        return kPcLabels;
    case OutputCategory::MobileVideo:
        return kMobileLabels;
    case OutputCategory::Audio:
        return kAudioLabels;
    }
    return {};
}

std::string_view TabLabel(const OutputKind& kind)
{
    const auto labels = TabLabels(kind.category);
    if (kind.kind < 0 || static_cast<std::size_t>(kind.kind) >= labels.size())
        return {};
    return labels[static_cast<std::size_t>(kind.kind)];
}

int KindCount(OutputCategory category)
{
    return static_cast<int>(TabLabels(category).size());
}

std::span<const PictureType> PictureTypes()
{
    return kPictureTypes;
}

std::string_view AudioDescription(int audioKind)
{
    if (audioKind < 0 || audioKind >= static_cast<int>(kAudioDescriptions.size()))
        return {};
    return kAudioDescriptions[static_cast<std::size_t>(audioKind)];
}

int DeviceStartProfile(int mobileKind)
{
    const std::optional<DeviceKind> device = ProfileKindOf({ OutputCategory::MobileVideo, mobileKind });
    return device ? kDeviceStartProfiles[static_cast<std::size_t>(*device)] : -1;
}

} // namespace kelvara
