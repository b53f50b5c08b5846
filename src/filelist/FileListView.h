// The file list as the program shows it: the skinned list whose cells are
// the jobs' texts, asked of the JobList and the dialog's output choice every
// time a cell is painted. Implements the core's JobListView.
#pragma once

#include "jobs/JobListView.h"
#include "skin/ListCellInfo.h"

#include <QObject>
#include <QVector>

namespace kelvara {

class CSkinListCtrl;
class FileListHost;
class JobList;
struct JobRecord;
struct ListColumn;

// The icon a failed job shows: the fifth of the state icons.
inline constexpr int kFailedStateIcon = 4;

class FileListView : public QObject, public JobListView {
    Q_OBJECT
public:
    FileListView(CSkinListCtrl& list, const JobList& jobs, const FileListHost& host);

    // The six columns: icon, Source Video, Split Span, Frame Size, Out Type, Status.
    static QVector<ListColumn> Columns();

    void RedrawCell(int row, JobColumn column) override;
    void RedrawRow(int row);
    void RedrawAll();
    // The list's item count follows the job count.
    void SyncItemCount();

    CSkinListCtrl& List() const { return m_list; }
    // The cell answer for one job; public so the owner can answer for a list of its own.
    void AnswerCell(const JobRecord& job, ListCellInfo& info) const;

private:
    void OnGetCellInfo(CSkinListCtrl* list, ListCellInfo& info) const;

    CSkinListCtrl& m_list;
    const JobList& m_jobs;
    const FileListHost& m_host;
    SkinImageList m_stateIcons;
};

} // namespace kelvara
