// Keeps the saved copy of the list current: told of every change of a job
// and of the window's choices, it waits a moment for the burst to end, takes
// a cheap snapshot on the calling (GUI) thread and hands it to the writer's
// thread. A change of progress only (a percentage tick) leaves the stored
// rows equal and writes nothing.
#pragma once

#include "jobs/JobList.h"
#include "liststate/ListStateWriter.h"
#include "liststate/StoredRows.h"

#include <QTimer>
#include <functional>

namespace kelvara::liststate {

class ListStateKeeper {
public:
    using ReadWindow = std::function<WindowChoices()>;
    static constexpr int kDelayMs = 250;

    // Becomes the observer of `jobs` until it ends.
    ListStateKeeper(const QString& path, JobList& jobs, ReadWindow readWindow, int delayMs = kDelayMs);
    // Writes what changed since the last hand-off and waits for the disk.
    ~ListStateKeeper();
    ListStateKeeper(const ListStateKeeper&) = delete;
    ListStateKeeper& operator=(const ListStateKeeper&) = delete;

    // JobList's observer: `index` changed, or JobList::kWholeList.
    void JobChanged(int index);
    // The window's kind, an option list or the output folder changed.
    void WindowChanged();
    // The snapshot and hand-off the timer runs; public for the benchmark.
    void HandOff();
    // Hands off now and waits until the file is written.
    void SaveNow();

private:
    void Schedule();
    void RebuildRows();

    JobList& m_jobs;
    ReadWindow m_readWindow;
    ListStateWriter m_writer;
    QTimer m_timer;
    StoredRows m_rows;
    WindowChoices m_window;
    bool m_rebuild = false;
    bool m_changed = false;
};

} // namespace kelvara::liststate
