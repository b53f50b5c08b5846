#include "liststate/ListStateWriter.h"

#include "liststate/ListStateFile.h"
#include "liststate/ListStateFormat.h"

namespace kelvara::liststate {

ListStateWriter::ListStateWriter(QString path, Written written)
    : m_path(std::move(path))
    , m_written(std::move(written))
    , m_thread([this] { Run(); })
{
}

ListStateWriter::~ListStateWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void ListStateWriter::Submit(ListSnapshot snapshot)
{
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = std::move(snapshot);
    }
    m_wake.notify_one();
}

void ListStateWriter::Flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_waiting && !m_writing; });
}

void ListStateWriter::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_waiting || m_ending; });
        if (!m_waiting)
            return;
        const ListSnapshot snapshot = std::move(*m_waiting);
        m_waiting.reset();
        m_writing = true;
        lock.unlock();
        const StoredList list { snapshot.window, StoredRows::Flatten(snapshot.rows) };
        const std::string error = WriteAtomically(m_path, ListToJson(list));
        if (m_written)
            m_written(error);
        lock.lock();
        m_writing = false;
        m_idle.notify_all();
    }
}

} // namespace kelvara::liststate
