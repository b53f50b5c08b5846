#include "app/DialogTemplate.h"

#include "skin/SkinResourceIds.h"

#include <algorithm>

namespace kelvara {
namespace {

using K = ControlKind;

// Positions follow the skin drawn for the window: the menu bar along the top,
// the big buttons over the file list, the preview at the bottom left and the
// settings panel under the tab strips at the right.
constexpr ControlSpec kControls[] = {
    // Commands.
    { ctl::Start, K::BitmapButton, 30, 70, 48, 49, "", "Start", SkinId::StartButton },
    { ctl::Stop, K::BitmapButton, 30, 70, 48, 49, "", "Stop", SkinId::StopButton, 0, true },
    { ctl::AddVideo, K::BitmapButton, 84, 70, 44, 49, "", "Add Video", SkinId::AddButton },
    { ctl::RemoveVideo, K::BitmapButton, 130, 70, 44, 49, "", "Remove Video", SkinId::RemoveButton },
    { ctl::ClearVideo, K::BitmapButton, 176, 70, 44, 49, "", "Clear Video", SkinId::ClearButton },
    { ctl::FileMenu, K::BitmapButton, 392, 10, 64, 22, "", "File", SkinId::FileMenuButton },
    { ctl::FormatMenu, K::BitmapButton, 460, 10, 116, 22, "", "Format Setting", SkinId::FormatMenuButton },
    { ctl::HelpMenu, K::BitmapButton, 580, 10, 64, 22, "", "Help", SkinId::HelpMenuButton },
    { ctl::About, K::BitmapButton, 648, 10, 64, 22, "", "About", SkinId::AboutButton },
    { ctl::Minimize, K::BitmapButton, 722, 11, 18, 18, "", "Minimize", SkinId::MinimizeButton },
    { ctl::Close, K::BitmapButton, 744, 11, 18, 18, "", "Close", SkinId::MainCloseButton },
    { ctl::Banner, K::Banner, 230, 44, 519, 75, "", "Banner" },
    { ctl::FileList, K::Reserved, 15, 125, 720, 135, "", "Source files" },

    // Preview and its transport bar.
    { ctl::PreviewWindow, K::Reserved, 16, 286, 296, 217, "", "Preview", 0, 0, true },
    { ctl::PreviewPlaceholder, K::FadePicture, 15, 286, 298, 217, "", "Preview placeholder",
        SkinId::PreviewPlaceholder },
    { ctl::TrimRange, K::Reserved, 32, 505, 267, 17, "", "Trim range" },
    { ctl::PreviewStop, K::BitmapButton, 75, 531, 19, 19, "", "Preview stop", SkinId::PreviewStopButton },
    { ctl::PreviousFile, K::BitmapButton, 99, 529, 42, 24, "", "Previous file", SkinId::PreviousButton },
    { ctl::Play, K::IconButton, 144, 520, 32, 40, "", "Play", SkinId::PlayHoverIcon },
    { ctl::Pause, K::IconButton, 144, 520, 32, 40, "", "Pause", SkinId::PauseHoverIcon, 0, true },
    { ctl::NextFile, K::BitmapButton, 179, 529, 42, 24, "", "Next file", SkinId::NextButton },
    { ctl::Snapshot, K::BitmapButton, 225, 531, 19, 19, "", "Snapshot", SkinId::SnapshotButton },

    // The three tab strips share one place; only the active category's shows.
    { ctl::PcTabs, K::ImageTab, 323, 285, 432, 28, "", "PC video kinds", SkinId::PcTabs, 3 },
    { ctl::MobileTabs, K::ImageTab, 323, 285, 432, 28, "", "Mobile video kinds", SkinId::MobileTabs, 4,
        true },
    { ctl::AudioTabs, K::ImageTab, 323, 285, 432, 28, "", "Audio kinds", SkinId::AudioTabs, 5, true },

    // AVI and MPEG.
    { ctl::VideoFormatGroup, K::GroupBox, 345, 334, 191, 79, "Video Format" },
    { ctl::AudioFormatGroup, K::GroupBox, 543, 334, 202, 79, "Audio Format:" },
    { ctl::AviFrameRateLabel, K::Label, 349, 356, 70, 16, "FrameRate:" },
    { ctl::AviFrameRate, K::Combo, 420, 354, 110, 18, "", "FrameRate" },
    { ctl::AviCodecLabel, K::Label, 349, 384, 70, 16, "AVI Codec:" },
    { ctl::AviCodec, K::Combo, 420, 382, 110, 18, "", "AVI Codec" },
    { ctl::AviSoundCodecLabel, K::Label, 550, 356, 82, 16, "Sound codec:" },
    { ctl::AviSoundCodec, K::Combo, 633, 354, 106, 18, "", "Sound codec" },
    { ctl::MpegTypeLabel, K::Label, 349, 356, 70, 16, "MpegType:" },
    { ctl::MpegType, K::Combo, 420, 354, 110, 18, "", "MpegType" },
    { ctl::MpegFrameRateLabel, K::Label, 349, 384, 70, 16, "FrameRate:" },
    { ctl::MpegFrameRate, K::Combo, 420, 382, 110, 18, "", "FrameRate" },
    { ctl::MpegAudioBitrateLabel, K::Label, 550, 356, 82, 16, "AudioBitrate:" },
    { ctl::MpegAudioBitrate, K::Combo, 633, 354, 106, 18, "", "AudioBitrate" },
    { ctl::MpegAudioRateLabel, K::Label, 550, 384, 82, 16, "AudioRate:" },
    { ctl::MpegAudioRate, K::Combo, 633, 382, 106, 18, "", "AudioRate" },

    // Picture output.
    { ctl::ImageTypeLabel, K::Label, 343, 336, 80, 16, "Output Type:" },
    { ctl::ImageType, K::Combo, 425, 334, 300, 18, "", "Output Type" },
    { ctl::ImageDescription, K::Label, 340, 362, 410, 50, "" },

    // Frame size, shared by the PC video kinds.
    { ctl::FrameSizeGroup, K::GroupBox, 335, 420, 410, 78, "Export Video Width /Height" },
    { ctl::Width, K::TextField, 350, 446, 60, 18, "", "Width" },
    { ctl::WidthUp, K::BitmapButton, 412, 446, 13, 9, "", "Width up", SkinId::SpinUpButton },
    { ctl::WidthDown, K::BitmapButton, 412, 455, 13, 9, "", "Width down", SkinId::SpinDownButton },
    { ctl::SizeSlash, K::Label, 430, 447, 10, 16, "/" },
    { ctl::Height, K::TextField, 442, 446, 60, 18, "", "Height" },
    { ctl::HeightUp, K::BitmapButton, 504, 446, 13, 9, "", "Height up", SkinId::SpinUpButton },
    { ctl::HeightDown, K::BitmapButton, 504, 455, 13, 9, "", "Height down", SkinId::SpinDownButton },
    { ctl::Original, K::CheckBox, 560, 436, 70, 40, "Original" },
    { ctl::Custom, K::CheckBox, 640, 436, 70, 40, "Custom" },

    // Device panel.
    { ctl::ProfileLabel, K::Label, 343, 332, 60, 16, "Profile:" },
    { ctl::Profile, K::Combo, 410, 330, 325, 18, "", "Profile" },
    { ctl::DeviceVideoSizeLabel, K::Label, 343, 362, 85, 16, "Video Size:" },
    { ctl::DeviceVideoSize, K::Combo, 430, 360, 105, 18, "", "Video Size" },
    { ctl::DeviceVideoBitrateLabel, K::Label, 343, 390, 85, 16, "Video Bitrate:" },
    { ctl::DeviceVideoBitrate, K::Combo, 430, 388, 105, 18, "", "Video Bitrate" },
    { ctl::DeviceFrameRateLabel, K::Label, 343, 418, 85, 16, "Frame Rate:" },
    { ctl::DeviceFrameRate, K::Combo, 430, 416, 105, 18, "", "Frame Rate" },
    { ctl::DeviceAudioBitrateLabel, K::Label, 542, 362, 94, 16, "Audio Bitrate:" },
    { ctl::DeviceAudioBitrate, K::Combo, 638, 360, 99, 18, "", "Audio Bitrate" },
    { ctl::DeviceChannelsLabel, K::Label, 542, 390, 94, 16, "Channels:" },
    { ctl::DeviceChannels, K::Combo, 638, 388, 99, 18, "", "Channels" },
    { ctl::DeviceAudioSampleLabel, K::Label, 542, 390, 94, 16, "Audio Sample:" },
    { ctl::DeviceAudioSample, K::Combo, 638, 388, 99, 18, "", "Audio Sample" },
    { ctl::DeviceAspectLabel, K::Label, 542, 418, 94, 16, "Aspect:" },
    { ctl::DeviceAspect, K::Combo, 638, 416, 99, 18, "", "Aspect" },

    // Audio output.
    { ctl::AudioBitrateLabel, K::Label, 343, 336, 90, 16, "Audio Bitrate:" },
    { ctl::AudioBitrate, K::Combo, 435, 334, 150, 18, "", "Audio Bitrate" },
    { ctl::AudioSampleLabel, K::Label, 343, 364, 90, 16, "Audio Sample:" },
    { ctl::AudioSample, K::Combo, 435, 362, 150, 18, "", "Audio Sample" },
    { ctl::AudioDescription, K::Label, 340, 396, 410, 80, "" },

    // Output folder and the end of the batch.
    { ctl::OutputFolder, K::PathField, 333, 534, 200, 20, "", "Output folder" },
    { ctl::Browse, K::BitmapButton, 538, 533, 70, 22, "", "Browse", SkinId::BrowseButton },
    { ctl::ShutdownWhenFinished, K::CheckBox, 612, 512, 140, 46, "Shutdown computer when finished" },
};

} // namespace

std::span<const ControlSpec> MainDialogTemplate()
{
    return kControls;
}

std::optional<ControlSpec> FindControl(int id)
{
    const auto found = std::ranges::find(kControls, id, &ControlSpec::id);
    if (found == std::end(kControls))
        return std::nullopt;
    return *found;
}

} // namespace kelvara
