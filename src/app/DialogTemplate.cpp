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
    { control_id::Start, K::BitmapButton, 30, 70, 48, 49, "", "Start", skin_id::StartButton },
    { control_id::Stop, K::BitmapButton, 30, 70, 48, 49, "", "Stop", skin_id::StopButton, 0, true },
    { control_id::AddVideo, K::BitmapButton, 84, 70, 44, 49, "", "Add Video", skin_id::AddButton },
    { control_id::RemoveVideo, K::BitmapButton, 130, 70, 44, 49, "", "Remove Video", skin_id::RemoveButton },
    { control_id::ClearVideo, K::BitmapButton, 176, 70, 44, 49, "", "Clear Video", skin_id::ClearButton },
    { control_id::FileMenu, K::BitmapButton, 392, 10, 64, 22, "", "File", skin_id::FileMenuButton },
    { control_id::FormatMenu, K::BitmapButton, 460, 10, 116, 22, "", "Format Setting",
        skin_id::FormatMenuButton },
    { control_id::HelpMenu, K::BitmapButton, 580, 10, 64, 22, "", "Help", skin_id::HelpMenuButton },
    { control_id::About, K::BitmapButton, 648, 10, 64, 22, "", "About", skin_id::AboutButton },
    { control_id::Minimize, K::BitmapButton, 722, 11, 18, 18, "", "Minimize", skin_id::MinimizeButton },
    { control_id::Close, K::BitmapButton, 744, 11, 18, 18, "", "Close", skin_id::MainCloseButton },
    { control_id::Banner, K::Banner, 230, 44, 519, 75, "", "Banner" },
    { control_id::FileList, K::Reserved, 15, 125, 720, 135, "", "Source files" },

    // Preview and its transport bar.
    { control_id::PreviewWindow, K::Reserved, 16, 286, 296, 217, "", "Preview", 0, 0, true },
    { control_id::PreviewPlaceholder, K::FadePicture, 15, 286, 298, 217, "", "Preview placeholder",
        skin_id::PreviewPlaceholder },
    { control_id::TrimRange, K::Reserved, 32, 505, 267, 17, "", "Trim range" },
    { control_id::PreviewStop, K::BitmapButton, 75, 531, 19, 19, "", "Preview stop",
        skin_id::PreviewStopButton },
    { control_id::PreviousFile, K::BitmapButton, 99, 529, 42, 24, "", "Previous file",
        skin_id::PreviousButton },
    { control_id::Play, K::IconButton, 144, 520, 32, 40, "", "Play", skin_id::PlayHoverIcon },
    { control_id::Pause, K::IconButton, 144, 520, 32, 40, "", "Pause", skin_id::PauseHoverIcon, 0, true },
    { control_id::NextFile, K::BitmapButton, 179, 529, 42, 24, "", "Next file", skin_id::NextButton },
    { control_id::Snapshot, K::BitmapButton, 225, 531, 19, 19, "", "Snapshot", skin_id::SnapshotButton },

    // The three tab strips share one place; only the active category's shows.
    { control_id::PcTabs, K::ImageTab, 323, 285, 432, 28, "", "PC video kinds", skin_id::PcTabs, 7 },
    { control_id::MobileTabs, K::ImageTab, 323, 285, 432, 28, "", "Mobile video kinds", skin_id::MobileTabs,
        7, true },
    { control_id::AudioTabs, K::ImageTab, 323, 285, 432, 28, "", "Audio kinds", skin_id::AudioTabs, 10,
        true },

    // AVI and MPEG.
    { control_id::VideoFormatGroup, K::GroupBox, 345, 334, 191, 79, "Video Format" },
    { control_id::AudioFormatGroup, K::GroupBox, 543, 334, 202, 79, "Audio Format:" },
    { control_id::AviFrameRateLabel, K::Label, 349, 356, 70, 16, "FrameRate:" },
    { control_id::AviFrameRate, K::Combo, 420, 354, 110, 18, "", "FrameRate" },
    { control_id::AviCodecLabel, K::Label, 349, 384, 70, 16, "AVI Codec:" },
    { control_id::AviCodec, K::Combo, 420, 382, 110, 18, "", "AVI Codec" },
    { control_id::AviSoundCodecLabel, K::Label, 550, 356, 82, 16, "Sound codec:" },
    { control_id::AviSoundCodec, K::Combo, 633, 354, 106, 18, "", "Sound codec" },
    { control_id::MpegTypeLabel, K::Label, 349, 356, 70, 16, "MpegType:" },
    { control_id::MpegType, K::Combo, 420, 354, 110, 18, "", "MpegType" },
    { control_id::MpegFrameRateLabel, K::Label, 349, 384, 70, 16, "FrameRate:" },
    { control_id::MpegFrameRate, K::Combo, 420, 382, 110, 18, "", "FrameRate" },
    { control_id::MpegAudioBitrateLabel, K::Label, 550, 356, 82, 16, "AudioBitrate:" },
    { control_id::MpegAudioBitrate, K::Combo, 633, 354, 106, 18, "", "AudioBitrate" },
    { control_id::MpegAudioRateLabel, K::Label, 550, 384, 82, 16, "AudioRate:" },
    { control_id::MpegAudioRate, K::Combo, 633, 382, 106, 18, "", "AudioRate" },

    // Picture output.
    { control_id::ImageTypeLabel, K::Label, 343, 336, 80, 16, "Output Type:" },
    { control_id::ImageType, K::Combo, 425, 334, 300, 18, "", "Output Type" },
    { control_id::ImageDescription, K::Label, 340, 362, 410, 50, "" },

    // Frame size, shared by the PC video kinds.
    { control_id::FrameSizeGroup, K::GroupBox, 335, 420, 410, 78, "Export Video Width /Height" },
    { control_id::Width, K::TextField, 350, 446, 60, 18, "", "Width" },
    { control_id::WidthUp, K::BitmapButton, 412, 446, 13, 9, "", "Width up", skin_id::SpinUpButton },
    { control_id::WidthDown, K::BitmapButton, 412, 455, 13, 9, "", "Width down", skin_id::SpinDownButton },
    { control_id::SizeSlash, K::Label, 430, 447, 10, 16, "/" },
    { control_id::Height, K::TextField, 442, 446, 60, 18, "", "Height" },
    { control_id::HeightUp, K::BitmapButton, 504, 446, 13, 9, "", "Height up", skin_id::SpinUpButton },
    { control_id::HeightDown, K::BitmapButton, 504, 455, 13, 9, "", "Height down", skin_id::SpinDownButton },
    { control_id::Original, K::CheckBox, 560, 436, 70, 40, "Original" },
    { control_id::Custom, K::CheckBox, 640, 436, 70, 40, "Custom" },

    // Device panel.
    { control_id::ProfileLabel, K::Label, 343, 332, 60, 16, "Profile:" },
    { control_id::Profile, K::Combo, 410, 330, 190, 18, "", "Profile" },
    { control_id::SaveProfileAs, K::TextButton, 606, 329, 66, 20, "Save as\u2026", "Save profile as" },
    { control_id::DeleteProfile, K::TextButton, 677, 329, 58, 20, "Delete", "Delete profile" },
    { control_id::DeviceVideoSizeLabel, K::Label, 343, 362, 85, 16, "Video Size:" },
    { control_id::DeviceVideoSize, K::Combo, 430, 360, 105, 18, "", "Video Size" },
    { control_id::DeviceVideoBitrateLabel, K::Label, 343, 390, 85, 16, "Video Bitrate:" },
    { control_id::DeviceVideoBitrate, K::Combo, 430, 388, 105, 18, "", "Video Bitrate" },
    { control_id::DeviceFrameRateLabel, K::Label, 343, 418, 85, 16, "Frame Rate:" },
    { control_id::DeviceFrameRate, K::Combo, 430, 416, 105, 18, "", "Frame Rate" },
    { control_id::DeviceAudioBitrateLabel, K::Label, 542, 362, 94, 16, "Audio Bitrate:" },
    { control_id::DeviceAudioBitrate, K::Combo, 638, 360, 99, 18, "", "Audio Bitrate" },
    { control_id::DeviceChannelsLabel, K::Label, 542, 390, 94, 16, "Channels:" },
    { control_id::DeviceChannels, K::Combo, 638, 388, 99, 18, "", "Channels" },
    { control_id::DeviceAudioSampleLabel, K::Label, 542, 390, 94, 16, "Audio Sample:" },
    { control_id::DeviceAudioSample, K::Combo, 638, 388, 99, 18, "", "Audio Sample" },
    { control_id::DeviceAspectLabel, K::Label, 542, 418, 94, 16, "Aspect:" },
    { control_id::DeviceAspect, K::Combo, 638, 416, 99, 18, "", "Aspect" },

    // Audio output.
    { control_id::AudioBitrateLabel, K::Label, 343, 336, 90, 16, "Audio Bitrate:" },
    { control_id::AudioBitrate, K::Combo, 435, 334, 150, 18, "", "Audio Bitrate" },
    { control_id::AudioSampleLabel, K::Label, 343, 364, 90, 16, "Audio Sample:" },
    { control_id::AudioSample, K::Combo, 435, 362, 150, 18, "", "Audio Sample" },
    { control_id::AudioDescription, K::Label, 340, 396, 410, 80, "" },

    // Video kinds whose encoder a graphics card here can stand in for.
    { control_id::UseGraphicsCard, K::CheckBox, 335, 503, 200, 26, "Use the graphics card", {}, 0, 0, true },

    // Output folder and the end of the batch.
    { control_id::OutputFolder, K::PathField, 333, 534, 200, 20, "", "Output folder" },
    { control_id::Browse, K::BitmapButton, 538, 533, 70, 22, "", "Browse", skin_id::BrowseButton },
    { control_id::ShutdownWhenFinished, K::CheckBox, 612, 512, 140, 46, "Shutdown computer when finished" },
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
