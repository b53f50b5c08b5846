// The file list of a batch without a window: each job's progress written to
// standard error. On a terminal one line is rewritten as the jobs move; else
// (a log, a pipe) a line is written as each file ends. A summary ends it.
#pragma once

#include "jobs/JobList.h"
#include "jobs/JobListView.h"
#include "options/OutputKind.h"

#include <cstdio>
#include <string>
#include <vector>

namespace kelvara::cli {

struct BatchCount {
    int converted = 0;
    int failed = 0;
    int notConverted = 0; // stopped, or never reached
};

class ProgressPrinter : public JobListView {
public:
    // `live`: rewrite one line on a terminal rather than writing a line per file.
    ProgressPrinter(const JobList& jobs, const OutputKind& kind, std::FILE* out, bool live);

    void RedrawCell(int row, JobColumn column) override;

    // Writes the line of every job not yet reported, then the summary
    // ("3 converted, 1 failed"), where the `skipped` files that could not be
    // added count as failed; returns the counts.
    BatchCount Finish(int skipped);

    // The line of an ended job: "song.flac: finished in 1.2 s → /out/song.mp3".
    static std::string EndLine(const JobRecord& job);

private:
    void Report(int row, const JobRecord& job);
    void ShowLive(int row, const JobRecord& job);
    void ClearLive();

    const JobList& m_jobs;
    OutputKind m_kind;
    std::FILE* m_out;
    bool m_live;
    bool m_liveShown = false;
    std::vector<bool> m_reported;
};

} // namespace kelvara::cli
