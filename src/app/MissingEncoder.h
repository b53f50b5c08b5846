// Tells a missing ffmpeg as soon as the window is on the screen, so the user
// learns it before building a list, not from a failed batch.
#pragma once

namespace kelvara {

class CConverterDlg;

// Once the dialog has painted its first picture, looks for ffmpeg (along
// PATH, starting nothing) and, when it is missing, shows the dialog's
// message box saying what to install.
void TellMissingEncoderWhenShown(CConverterDlg& dialog);

} // namespace kelvara
