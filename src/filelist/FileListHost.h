// What the file list and its commands need of the main dialog: the batch
// flag, the output choice that names the Out Type column, the current job,
// the option panels, the preview and its trim control, and the open-file
// dialog. The dialog implements it; tests use a recording fake.
#pragma once

#include "jobs/JobRecord.h"
#include "jobs/OptionDefaults.h"
#include "options/OutputKind.h"

#include <QString>
#include <QStringList>

namespace kelvara {

class FileListHost {
public:
    virtual ~FileListHost() = default;

    // Adding, removing, clearing and changing the current job are refused
    // while a batch runs.
    virtual bool IsConverting() const = 0;

    // The output choice every row's Out Type column is named from.
    virtual OutputKind SelectedOutputKind() const = 0;
    // Index in the picture type list (0 GIF animation, 1..12 still pictures).
    virtual int PictureTypePosition() const = 0;
    // Index of the selected Sony PSP profile.
    virtual int PspProfilePosition() const = 0;
    // Index in the MPEG type list; 0..5 are the VCD, SVCD and DVD presets.
    virtual int MpegTypePosition() const = 0;
    // The AVI and MPEG options a new job starts with: what the panels
    // select now.
    virtual JobPanelOptions NewJobOptions() const = 0;

    // The job whose options the panels show; -1 when none.
    virtual int CurrentJob() const = 0;
    virtual void SetCurrentJob(int index) = 0;

    // Shows the job in the option panels: the frame size it will be
    // converted with. The AVI and MPEG lists keep their selections, which
    // every job of a batch is converted with.
    virtual void ShowJobOptions(const JobRecord& job) = 0;
    // The width and height fields of the frame-size panel; empty texts clear them.
    virtual void SetFrameSizeFields(const QString& width, const QString& height) = 0;
    // Enables the option controls of the selected output kind.
    virtual void EnableOptionControls() = 0;
    // Back to the start state of the output settings (PC video AVI).
    virtual void ResetOutputSettings() = 0;
    // Posts the MPEG preset message: applies the selected VCD/SVCD/DVD preset's
    // frame size and rate to the current job, later, from the event loop.
    virtual void PostMpegPreset() = 0;

    // The preview: open a source at a position (seconds), stop playing, and
    // show the play button in place of the pause button.
    virtual void OpenPreview(const QString& path, double startSeconds) = 0;
    virtual void StopPreviewPlayback() = 0;
    virtual void MarkPreviewNotPlaying() = 0;
    // Shows the placeholder picture and hides the preview (true), or the reverse.
    virtual void ShowPreviewPlaceholder(bool placeholder) = 0;

    // Loads the trim range control, in milliseconds: the range 0 .. duration
    // and the selected start and end. This is not a user change: it does not
    // write the current job's trim.
    virtual void LoadTrimRange(double durationMs, double startMs, double endMs) = 0;

    // The open-file dialog: multiple selection, the given filters in order
    // ("Description (*.a *.b)"). The chosen paths in the dialog's order; an
    // empty list when the user cancels.
    virtual QStringList ChooseSourceFiles(const QStringList& filters) = 0;
};

} // namespace kelvara
