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
    // Told after every change: the changed or added job's index, or
    // kWholeList when rows were removed or cleared. Keeps the saved copy of the list
    // current without the list knowing about it.
    using Observer = std::function<void(int index)>;
    static constexpr int kWholeList = -1;

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

    // The jobs themselves, read in place: a copy of each would copy its run's
    // output lines too.
    const std::vector<JobRecord>& All() const { return m_jobs; }
    void SetObserver(Observer observer) { m_observer = std::move(observer); }

private:
    void Tell(int index) const
    {
        if (m_observer)
            m_observer(index);
    }

    std::vector<JobRecord> m_jobs;
    Observer m_observer;
};

} // namespace kelvara
