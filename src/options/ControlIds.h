// The ids of the main window's controls and of its menu commands. The option
// tables list controls by these ids; the dialog's template gives each its
// class, place and caption.
#pragma once

namespace kelvara {

// Control ids of the main dialog; they stay plain ints so that tables can
// list them.
namespace control_id {
enum : int {
    Close = 1004,
    FileList = 1011,
    Start = 1012,
    AddVideo = 1013,
    RemoveVideo = 1014,
    ClearVideo = 1015,
    FileMenu = 1016,
    Stop = 1017,
    TrimRange = 1018,
    FormatMenu = 1019,
    HelpMenu = 1032,
    Width = 1035,
    Height = 1036,
    OutputFolder = 1038,
    Browse = 1039,
    AviFrameRate = 1041,
    AviSoundCodec = 1042,
    MpegFrameRate = 1044,
    MpegAudioBitrate = 1046,
    MpegAudioRate = 1047,
    AviCodec = 1048,
    MpegType = 1049,
    Minimize = 1063,
    VideoFormatGroup = 1067,
    AviFrameRateLabel = 1069,
    AviCodecLabel = 1070,
    MpegTypeLabel = 1071,
    MpegFrameRateLabel = 1072,
    AviSoundCodecLabel = 1073,
    MpegAudioBitrateLabel = 1075,
    MpegAudioRateLabel = 1076,
    AudioFormatGroup = 1077,
    SizeSlash = 1078,
    PcTabs = 1080,
    PreviewWindow = 1081,
    Play = 1082,
    Pause = 1083,
    ShutdownWhenFinished = 1092,
    PreviewPlaceholder = 1093,
    FrameSizeGroup = 1094,
    MobileTabs = 1097,
    About = 1098,
    Original = 1099,
    Custom = 1100,
    AudioTabs = 1108,
    WidthDown = 1109,
    WidthUp = 1110,
    HeightDown = 1111,
    HeightUp = 1112,
    AudioDescription = 1149,
    ProfileLabel = 1153,
    DeviceVideoSize = 1154,
    DeviceFrameRate = 1155,
    DeviceAudioBitrate = 1156,
    DeviceVideoBitrate = 1157,
    DeviceAspect = 1158,
    DeviceChannels = 1159,
    ImageDescription = 1160,
    DeviceVideoSizeLabel = 1161,
    DeviceFrameRateLabel = 1162,
    DeviceAudioBitrateLabel = 1163,
    DeviceVideoBitrateLabel = 1164,
    DeviceChannelsLabel = 1166,
    DeviceAspectLabel = 1167,
    DeviceAudioSampleLabel = 1168,
    Profile = 1169,
    DeviceAudioSample = 1172,
    AudioBitrateLabel = 1180,
    AudioBitrate = 1181,
    AudioSampleLabel = 1182,
    AudioSample = 1183,
    ImageTypeLabel = 1184,
    ImageType = 1185,
    Banner = 1190,
    PreviewStop = 1199,
    PreviousFile = 1200,
    NextFile = 1201,
    Snapshot = 1202,
    SaveProfileAs = 1203,
    DeleteProfile = 1204,
    UseGraphicsCard = 1210,
};
} // namespace control_id

// Menu and command ids.
namespace command_id {
enum : int {
    AboutFromContextMenu = 16,
    AddVideo = 32771,
    RemoveVideo = 32772,
    ClearVideo = 32773,
    ToPcVideo = 32774,
    ToMobileVideo = 32775,
    ToAudio = 32776,
    Contents = 32777,
    HomePage = 32778,
    AboutBox = 32779,
    ImportProfile = 32780,
    // "Files at once": Auto, then one id per number of files.
    FilesAtOnceAuto = 32800,
    FilesAtOnceLast = 32864,
};
inline constexpr bool IsFilesAtOnceCommand(int id)
{
    return id >= FilesAtOnceAuto && id <= FilesAtOnceLast;
}
} // namespace command_id

} // namespace kelvara
