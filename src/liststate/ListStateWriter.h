// Writes the list on a thread of its own, so the window never waits on the
// disk. The caller hands in snapshots; only the latest one waiting is
// written, so a burst of changes gives one write.
#pragma once

#include "liststate/StoredRows.h"

#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace kelvara::liststate {

class ListStateWriter {
public:
    // Told on the writer's thread after each write: empty, or why it failed.
    using Written = std::function<void(const std::string& error)>;

    explicit ListStateWriter(QString path, Written written = {});
    // Writes what still waits, then ends the thread.
    ~ListStateWriter();
    ListStateWriter(const ListStateWriter&) = delete;
    ListStateWriter& operator=(const ListStateWriter&) = delete;

    // Cheap on the calling thread: the snapshot is moved into the slot,
    // replacing one that was not written yet. The rows are flattened and
    // turned into JSON on the writer's thread.
    void Submit(ListSnapshot snapshot);
    // Waits until everything handed in so far is on the disk.
    void Flush();

private:
    void Run();

    QString m_path;
    Written m_written;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<ListSnapshot> m_waiting;
    bool m_writing = false;
    bool m_ending = false;
    std::thread m_thread;
};

} // namespace kelvara::liststate
