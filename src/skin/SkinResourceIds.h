// Numeric ids of the skin's bitmaps, icons and sounds. Bitmaps live at
// ":/skin/<id>.png", icons at ":/icons/<id>.png", sounds at ":/sounds/<id>.wav".
#pragma once

namespace kelvara {

namespace skin_id {
enum : int {

    // Message box, text field, combo box and list box pieces.
    MessageTitle = 173, // 397 x 29
    MessageBody = 174, // 372 x 279
    FaceStrip = 175, // 1 x 18
    SelectionTile = 176, // 54 x 12
    DropArrow = 177, // 16 x 16
    ListTile = 178, // 165 x 21
    CloseHover = 149, // 28 x 15
    CloseIdle = 150, // 28 x 15

    // Header of the file list and its scroll bars.
    HeaderBackground = 157, // 1 x 16
    HeaderSeparatorLeft = 158, // 2 x 16
    HeaderSeparatorRight = 159, // 2 x 16
    HScrollThumb = 160, // 26 x 15
    HScrollRight = 161, // 16 x 15
    HScrollTrack = 162, // 1 x 16
    HScrollLeft = 163, // 16 x 15
    VScrollUp = 165, // 15 x 16
    VScrollTrack = 166, // 16 x 1
    VScrollThumb = 167, // 15 x 26
    VScrollDown = 168, // 15 x 16
    ScrollCorner = 170, // 15 x 16

    // Whole pictures.
    Splash = 171, // 359 x 212
    MainBackground = 183, // 771 x 572, white outside the outline
    PreviewPlaceholder = 201, // 298 x 217
    // Five 16 x 16 icons in a row: converting, done, stopped, queued, failed.
    StateIcons = 212,
    AboutBackground = 215, // 357 x 263

    // Trim range slider.
    SliderTrack = 197, // 6 x 11
    SliderLeftThumb = 198, // 13 x 17
    SliderRightThumb = 199, // 13 x 17
    SliderBar = 200, // 3 x 7

    // Icons.
    AppIcon = 128,
    WarningIcon = 129,
    QuestionIcon = 130,
    ErrorIcon = 131,
    InformationIcon = 132,
    CheckOnIcon = 155,
    CheckOffIcon = 156,
    PlayIdleIcon = 260,
    PlayHoverIcon = 261,
    PauseIdleIcon = 262,
    PauseHoverIcon = 263,

    // Sounds.
    CompletionSound = 211,

    // Tab strips: one picture per tab, as wide as the tab and 28 high, red
    // transparent; the selected look at the id, the normal look at
    // id + kTabNormalOffset (350.., 360.., 370..).
    PcTabs = 300, // 300..306: AVI, MPEG, Image, MP4, MKV, WebM, AV1
    MobileTabs = 310, // 310..316: Sony PSP .. Web
    AudioTabs = 320, // 320..329: To MP3 .. To ALAC
    // The strips' scroll arrows, 16 x 28, red transparent: idle at the id,
    // hovered at id + 1, at the end of the row (nothing to scroll) at id + 2.
    TabScrollLeft = 380,
    TabScrollRight = 383,

    // Buttons of the main window: the hover bitmap at the id, the idle one at id + 1,
    // white transparent.
    StartButton = 400, // 48 x 49
    StopButton = 402, // 48 x 49
    AddButton = 404, // 44 x 49
    RemoveButton = 406, // 44 x 49
    ClearButton = 408, // 44 x 49
    FileMenuButton = 410, // 64 x 22
    FormatMenuButton = 412, // 116 x 22
    HelpMenuButton = 414, // 64 x 22
    AboutButton = 416, // 64 x 22
    BrowseButton = 418, // 70 x 22
    MinimizeButton = 420, // 18 x 18
    MainCloseButton = 422, // 18 x 18
    PreviewStopButton = 424, // 19 x 19
    PreviousButton = 426, // 42 x 24
    NextButton = 428, // 42 x 24
    SnapshotButton = 430, // 19 x 19
    SpinUpButton = 432, // 13 x 9
    SpinDownButton = 434, // 13 x 9
};

// From a tab's selected picture to its normal one.
inline constexpr int kTabNormalOffset = 50;
} // namespace skin_id

} // namespace kelvara
