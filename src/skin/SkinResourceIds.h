// Numeric ids of the skin's bitmaps, icons and sounds. Bitmaps live at
// ":/skin/<id>.png", icons at ":/icons/<id>.png", sounds at ":/sounds/<id>.wav".
#pragma once

namespace kelvara {

namespace SkinId {

// Message box, text field, combo box and list box pieces.
inline constexpr int MessageTitle = 173; // 397 x 29
inline constexpr int MessageBody = 174; // 372 x 279
inline constexpr int FaceStrip = 175; // 1 x 18
inline constexpr int SelectionTile = 176; // 54 x 12
inline constexpr int DropArrow = 177; // 16 x 16
inline constexpr int ListTile = 178; // 165 x 21
inline constexpr int CloseHover = 149; // 28 x 15
inline constexpr int CloseIdle = 150; // 28 x 15

// Header of the file list and its scroll bars.
inline constexpr int HeaderBackground = 157; // 1 x 16
inline constexpr int HeaderSeparatorLeft = 158; // 2 x 16
inline constexpr int HeaderSeparatorRight = 159; // 2 x 16
inline constexpr int HScrollThumb = 160; // 26 x 15
inline constexpr int HScrollRight = 161; // 16 x 15
inline constexpr int HScrollTrack = 162; // 1 x 16
inline constexpr int HScrollLeft = 163; // 16 x 15
inline constexpr int VScrollUp = 165; // 15 x 16
inline constexpr int VScrollTrack = 166; // 16 x 1
inline constexpr int VScrollThumb = 167; // 15 x 26
inline constexpr int VScrollDown = 168; // 15 x 16
inline constexpr int ScrollCorner = 170; // 15 x 16

// Whole pictures.
inline constexpr int Splash = 171; // 359 x 212
inline constexpr int MainBackground = 183; // 771 x 572, white outside the outline
inline constexpr int PreviewPlaceholder = 201; // 298 x 217
inline constexpr int StateIcons
    = 212; // five 16 x 16 icons in a row: converting, done, stopped, queued, failed
inline constexpr int AboutBackground = 215; // 357 x 263

// Trim range slider.
inline constexpr int SliderTrack = 197; // 6 x 11
inline constexpr int SliderLeftThumb = 198; // 13 x 17
inline constexpr int SliderRightThumb = 199; // 13 x 17
inline constexpr int SliderBar = 200; // 3 x 7

// Icons.
inline constexpr int AppIcon = 128;
inline constexpr int WarningIcon = 129;
inline constexpr int QuestionIcon = 130;
inline constexpr int ErrorIcon = 131;
inline constexpr int InformationIcon = 132;
inline constexpr int CheckOnIcon = 155;
inline constexpr int CheckOffIcon = 156;
inline constexpr int PlayIdleIcon = 260;
inline constexpr int PlayHoverIcon = 261;
inline constexpr int PauseIdleIcon = 262;
inline constexpr int PauseHoverIcon = 263;

// Sounds.
inline constexpr int CompletionSound = 211;

// Tab strips, 432 x 28, one bitmap per selected tab, red transparent.
inline constexpr int PcTabs = 300; // 300..302: AVI, MPEG, Image
inline constexpr int MobileTabs = 310; // 310..313: Sony PSP, Xbox360, Pocket PC, PMP
inline constexpr int AudioTabs = 320; // 320..324: To MP3 .. To AC3

// Buttons of the main window: the hover bitmap at the id, the idle one at id + 1,
// white transparent.
inline constexpr int StartButton = 400; // 48 x 49
inline constexpr int StopButton = 402; // 48 x 49
inline constexpr int AddButton = 404; // 44 x 49
inline constexpr int RemoveButton = 406; // 44 x 49
inline constexpr int ClearButton = 408; // 44 x 49
inline constexpr int FileMenuButton = 410; // 64 x 22
inline constexpr int FormatMenuButton = 412; // 116 x 22
inline constexpr int HelpMenuButton = 414; // 64 x 22
inline constexpr int AboutButton = 416; // 64 x 22
inline constexpr int BrowseButton = 418; // 70 x 22
inline constexpr int MinimizeButton = 420; // 18 x 18
inline constexpr int MainCloseButton = 422; // 18 x 18
inline constexpr int PreviewStopButton = 424; // 19 x 19
inline constexpr int PreviousButton = 426; // 42 x 24
inline constexpr int NextButton = 428; // 42 x 24
inline constexpr int SnapshotButton = 430; // 19 x 19
inline constexpr int SpinUpButton = 432; // 13 x 9
inline constexpr int SpinDownButton = 434; // 13 x 9

} // namespace SkinId

} // namespace kelvara
