// What the batch run needs of the main dialog: its output folder field, the
// selected output kind, the controls a batch locks, the file list's
// selection, the message box, the shutdown check box and countdown.
#pragma once

#include "options/OutputKind.h"

#include <array>
#include <string>

namespace kelvara {

enum class MessageIcon { None, Error, Warning };

// The controls a running batch disables: the width and height fields, the
// AVI and MPEG panels' combos and the device profile combo. The device
// panel's value combos, the picture type and the audio combos stay enabled.
inline constexpr std::array<int, 10> kBatchLockedControls
    = { 1035, 1036, 1041, 1042, 1044, 1046, 1047, 1048, 1049, 1169 };

class BatchHost {
public:
    virtual ~BatchHost() = default;

    // The text of the output folder field, as typed.
    virtual std::string OutputFolderFieldText() const = 0;
    // The field shows the folder the batch writes to, when the typed text
    // named it otherwise (a relative folder); nothing by default.
    virtual void ShowOutputFolder(const std::string& /*folder*/) { }
    // The output kind selected now; read for every job and by Stop.
    virtual OutputKind SelectedOutputKind() const = 0;

    // Disables kBatchLockedControls; enabling restores what the selected
    // output kind shows.
    virtual void SetOptionControlsEnabled(bool enable) = 0;
    // STOP shown in START's place while converting, START otherwise.
    virtual void ShowConvertingButtons(bool converting) = 0;
    virtual void StopPreview() = 0;

    // Selection mark, selected and focused state on the row.
    virtual void SelectRow(int row) = 0;
    virtual void EnsureRowVisible(int row) = 0;
    // The option panels show the job's own options.
    virtual void ShowOptionsOfJob(int row) = 0;

    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // The end message of a batch that ran to its end, told to the desktop
    // before the message box shows it; nothing by default.
    virtual void AnnounceOnDesktop(const std::string& /*text*/, const std::string& /*title*/) { }

    // The "Shutdown computer when finished" check box.
    virtual bool ShutdownWhenFinished() const = 0;
    // The countdown before the power-off; true when it ran out, false when
    // the user cancelled it.
    virtual bool ConfirmShutdownCountdown() = 0;
};

} // namespace kelvara
