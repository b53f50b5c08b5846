#include "liststate/ListStateKeeper.h"

#include "platform/LogCategories.h"

namespace kelvara::liststate {

ListStateKeeper::ListStateKeeper(const QString& path, JobList& jobs, ReadWindow readWindow, int delayMs)
    : m_jobs(jobs)
    , m_readWindow(std::move(readWindow))
    , m_writer(path, [path](const std::string& error) {
        // The list on the disk is the last one written; the next change tries again.
        if (!error.empty())
            qCWarning(platform::lcFiles)
                << "The file list could not be saved to" << path << ":" << error.c_str();
    })
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { HandOff(); });
    RebuildRows();
    m_window = m_readWindow();
    m_jobs.SetObserver([this](int index) { JobChanged(index); });
}

ListStateKeeper::~ListStateKeeper()
{
    m_jobs.SetObserver({});
    HandOff();
}

void ListStateKeeper::JobChanged(int index)
{
    const auto at = static_cast<std::size_t>(index);
    if (index == JobList::kWholeList || index < 0 || at > m_rows.Size() || index >= m_jobs.GetSize()) {
        m_rebuild = true;
        Schedule();
        return;
    }
    StoredJob stored = ToStored(m_jobs.All()[at]);
    if (at == m_rows.Size()) {
        m_rows.Append(std::make_shared<const StoredJob>(std::move(stored)));
    } else if (m_rows.At(at) == stored) {
        return; // progress only
    } else {
        m_rows.Set(at, std::make_shared<const StoredJob>(std::move(stored)));
    }
    m_changed = true;
    Schedule();
}

void ListStateKeeper::WindowChanged()
{
    Schedule();
}

void ListStateKeeper::Schedule()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void ListStateKeeper::RebuildRows()
{
    m_rows.Clear();
    for (const JobRecord& job : m_jobs.All())
        m_rows.Append(std::make_shared<const StoredJob>(ToStored(job)));
    m_rebuild = false;
}

void ListStateKeeper::HandOff()
{
    m_timer.stop();
    if (m_rebuild) {
        RebuildRows();
        m_changed = true;
    }
    WindowChoices window = m_readWindow();
    if (!m_changed && window == m_window)
        return;
    m_window = window;
    m_changed = false;
    m_writer.Submit({ std::move(window), m_rows.Snapshot() });
}

void ListStateKeeper::SaveNow()
{
    HandOff();
    m_writer.Flush();
}

} // namespace kelvara::liststate
