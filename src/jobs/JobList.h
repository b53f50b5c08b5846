// The ordered jobs of the main window; row i of the file list shows job i.
#pragma once

#include "JobRecord.h"

#include <functional>
#include <vector>

namespace kelvara {

class JobList {
public:
    // Edits the copy of a job that Update hands it.
    using Change = std::function<void(JobRecord& job)>;
    // The caller's redraw of the changed job's row, run after the job is stored.
    using Redraw = std::function<void()>;

    // A copy of job `index`. An index outside the list gives a default
    // record: code that held an index across a pump must never read past the
    // end; where a missing job matters, Contains() tells.
    JobRecord GetAt(int index) const;
    bool Contains(int index) const;
    // Replaces job `index`; nothing for an index outside the list.
    void SetAt(int index, const JobRecord& record);

    // The one way a job changes: copy job `index`, let `change` edit the
    // copy, store it back, then `redraw`. Nothing at all (not even the
    // redraw) for an index outside the list, so a caller that serviced
    // messages since it looked at the list needs no check of its own.
    // Returns whether the change was applied.
    bool Update(int index, const Change& change, const Redraw& redraw = {});

    int Add(const JobRecord& record);
    // Nothing for an index outside the list.
    void RemoveAt(int index);
    void RemoveAll();
    int GetSize() const;

    // Makes a converted or stopped job queued again, with its progress cleared.
    void ResetProgress(int index);

    // True when another job already uses this Sony PSP file number.
    bool UsesFileNumber(std::int32_t fileNumber) const;

private:
    std::vector<JobRecord> m_jobs;
};

} // namespace kelvara
