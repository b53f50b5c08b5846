#include "JobList.h"

#include <algorithm>

namespace kelvara {

JobRecord JobList::GetAt(int index) const
{
    return m_jobs[static_cast<std::size_t>(index)];
}

void JobList::SetAt(int index, const JobRecord& record)
{
    m_jobs[static_cast<std::size_t>(index)] = record;
}

int JobList::Add(const JobRecord& record)
{
    m_jobs.push_back(record);
    return static_cast<int>(m_jobs.size()) - 1;
}

void JobList::RemoveAt(int index)
{
    m_jobs.erase(m_jobs.begin() + index);
}

void JobList::RemoveAll()
{
    m_jobs.clear();
}

int JobList::GetSize() const
{
    return static_cast<int>(m_jobs.size());
}

void JobList::ResetProgress(int index)
{
    JobRecord job = GetAt(index);
    job.ClearProgress();
    SetAt(index, job);
}

bool JobList::UsesFileNumber(std::int32_t fileNumber) const
{
    return std::any_of(m_jobs.begin(), m_jobs.end(),
        [fileNumber](const JobRecord& job) { return job.fileNumber == fileNumber; });
}

} // namespace kelvara
