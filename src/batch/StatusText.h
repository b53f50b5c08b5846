// The Status column of the file list: a job's progress turned into its text
// and its progress bar, computed every time the cell is drawn. Also the Split
// Span and Frame Size texts. Nothing else formats a status or a remaining time.
#pragma once

#include "jobs/JobRecord.h"
#include "options/OutputKind.h"

#include <string>

namespace kelvara {

struct StatusCell {
    // False when the job has nothing to show yet: the cell stays empty and
    // shows no bar.
    bool hasText = false;
    std::string text;
    // Below 1: no progress bar.
    int progressMax = -1;
    int progressPos = 0;
};

// The Status cell of `job` while the batch converts to `kind`.
StatusCell StatusOf(const JobRecord& job, const OutputKind& kind);

// "00:01:30<-->00:02:00|[00:00:30]": the trim's start, end and length.
std::string SplitSpanText(const JobRecord& job);
// "640x480": the source's picture size.
std::string FrameSizeText(const JobRecord& job);

// The text a failed job shows in its Status column.
inline constexpr const char* kFailedStatusText = "Failed";

} // namespace kelvara
