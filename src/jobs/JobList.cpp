#include "JobList.h"

#include <algorithm>

namespace kelvara {

bool JobList::Contains(int index) const
{
    return index >= 0 && index < GetSize();
}

JobRecord JobList::GetAt(int index) const
{
    if (!Contains(index))
        return {};
    return m_jobs[static_cast<std::size_t>(index)];
}

void JobList::SetAt(int index, const JobRecord& record)
{
    if (!Contains(index))
        return;
    m_jobs[static_cast<std::size_t>(index)] = record;
    Tell(index);
}

bool JobList::Update(int index, const Change& change, const Redraw& redraw)
{
    if (!Contains(index))
        return false;
    // A copy, not a reference into the list: `change` may be handed code
    // that adds jobs, which would move the elements.
    JobRecord job = m_jobs[static_cast<std::size_t>(index)];
    change(job);
    if (!Contains(index))
        return false;
    m_jobs[static_cast<std::size_t>(index)] = std::move(job);
    Tell(index);
    if (redraw)
        redraw();
    return true;
}

int JobList::Add(const JobRecord& record)
{
    m_jobs.push_back(record);
    const int index = static_cast<int>(m_jobs.size()) - 1;
    Tell(index);
    return index;
}

void JobList::RemoveAt(int index)
{
    if (!Contains(index))
        return;
    m_jobs.erase(m_jobs.begin() + index);
    Tell(kWholeList);
}

void JobList::RemoveAll()
{
    m_jobs.clear();
    Tell(kWholeList);
}

int JobList::GetSize() const
{
    return static_cast<int>(m_jobs.size());
}

void JobList::ResetProgress(int index)
{
    Update(index, [](JobRecord& job) { job.ClearProgress(); });
}

bool JobList::UsesFileNumber(std::int32_t fileNumber) const
{
    return std::any_of(m_jobs.begin(), m_jobs.end(),
        [fileNumber](const JobRecord& job) { return job.fileNumber == fileNumber; });
}

} // namespace kelvara
