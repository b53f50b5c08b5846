// The context menu of a file list row: its entries for a job, what "Play
// Output" and "Open Output Folder" open, and the failure report. No widgets.
#pragma once

#include "jobs/JobRecord.h"

#include <QString>

#include <vector>

namespace kelvara {

enum class RowCommand { PlayOutput = 1, OpenOutputFolder, ShowFailureReason, Remove };

struct RowMenuEntry {
    RowCommand command;
    QString caption;
    bool enabled = false;
};

// The entries in menu order. Play Output needs the job's output on disk,
// Open Output Folder a folder to open, Show Failure Reason a failed job;
// Remove is refused while a batch runs, as the Remove command is.
std::vector<RowMenuEntry> RowMenuEntries(const JobRecord& job, bool converting, const QString& outputFolder);

// The job's output file when it is on disk, or an empty text.
QString OutputFileOnDisk(const JobRecord& job);

// The folder that holds the job's output file when it is on disk, otherwise
// `outputFolder` (the output folder field) when it is a folder; empty when
// neither is.
QString FolderToOpen(const JobRecord& job, const QString& outputFolder);

// The record of the job's last run: its outcome line ("failed: <reason>"),
// when it started and ended, then the engines' last lines of output when it
// kept any. Over-long lines are shortened so the message box stays on the
// screen.
QString FailureReport(const JobRecord& job);

} // namespace kelvara
