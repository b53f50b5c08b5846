// The ordered jobs of the main window; row i of the file list shows job i.
#pragma once

#include "JobRecord.h"

#include <vector>

namespace kelvara {

class JobList {
public:
    // Callers check 0 <= index < GetSize() first.
    JobRecord GetAt(int index) const;
    void SetAt(int index, const JobRecord& record);
    int Add(const JobRecord& record);
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
