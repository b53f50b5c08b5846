// The batch's view of a "dialog" when there is no window: the output folder
// and kind from the command line, nothing to lock or select, and the
// messages a window would show in a box written to standard error.
#pragma once

#include "batch/BatchHost.h"

#include <cstdio>
#include <string>

namespace kelvara::cli {

class HeadlessHost : public BatchHost {
public:
    HeadlessHost(std::string outputFolder, const OutputKind& kind, std::FILE* messages);

    std::string OutputFolderFieldText() const override { return m_outputFolder; }
    OutputKind SelectedOutputKind() const override { return m_kind; }
    void SetOptionControlsEnabled(bool /*enable*/) override { }
    void ShowConvertingButtons(bool /*converting*/) override { }
    void StopPreview() override { }
    void SelectRow(int /*row*/) override { }
    void EnsureRowVisible(int /*row*/) override { }
    void ShowOptionsOfJob(int /*row*/) override { }
    // Errors are printed; the end-of-batch message is not, as the progress
    // printer's summary says the same per file.
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool ShutdownWhenFinished() const override { return false; }
    bool ConfirmShutdownCountdown() override { return false; }

    // How many errors were shown: a batch that could not start shows one.
    int ErrorsShown() const { return m_errors; }

private:
    std::string m_outputFolder;
    OutputKind m_kind;
    std::FILE* m_messages;
    int m_errors = 0;
};

} // namespace kelvara::cli
