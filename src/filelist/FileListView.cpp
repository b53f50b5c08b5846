#include "FileListView.h"

#include "FileListHost.h"
#include "PathText.h"
#include "batch/StatusText.h"
#include "jobs/JobList.h"
#include "naming/OutputNaming.h"
#include "skin/CSkinListCtrl.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

namespace kelvara {

namespace {

constexpr int kStateIconWidth = 16;

// The list's colours: white on blue, dark grey on light grey when selected.
const QColor kText(255, 255, 255);
const QColor kBack(5, 132, 226);
const QColor kSelectedText(0x33, 0x33, 0x33);
const QColor kSelectedBackFocused(0xD0, 0xD4, 0xD9);
const QColor kSelectedBackUnfocused(0x19, 0x19, 0x82);

QString StateName(int icon)
{
    static const char* const names[] = { "Converting", "Done", "Stopped", "Queued", "Failed" };
    return icon >= 0 && icon < 5 ? QString::fromLatin1(names[icon]) : QString();
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

FileListView::FileListView(CSkinListCtrl& list, const JobList& jobs, const FileListHost& host)
    : QObject(&list)
    , m_list(list)
    , m_jobs(jobs)
    , m_host(host)
    , m_stateIcons(LoadSkinBitmap(skin_id::StateIcons), kStateIconWidth)
{
    m_list.SetColumns(Columns());
    // The state column's header is blank on the screen.
    m_list.model()->setHeaderData(
        static_cast<int>(JobColumn::Icon), Qt::Horizontal, QStringLiteral("State"), Qt::AccessibleTextRole);
    connect(
        &m_list, &CSkinListCtrl::ListGetCellInfo, this, &FileListView::OnGetCellInfo, Qt::DirectConnection);
    SyncItemCount();
}

QVector<ListColumn> FileListView::Columns()
{
    return {
        { QString(), Qt::AlignHCenter, 20 },
        { QStringLiteral("Source Video"), Qt::AlignLeft, 150 },
        { QStringLiteral("Split Span"), Qt::AlignHCenter, 178 },
        { QStringLiteral("Frame Size"), Qt::AlignHCenter, 70 },
        { QStringLiteral("Out Type"), Qt::AlignHCenter, 80 },
        { QStringLiteral("Status"), Qt::AlignHCenter, 200 },
    };
}

void FileListView::RedrawCell(int row, JobColumn column)
{
    m_list.InvalidateCells(row, row, static_cast<int>(column), CellPart::Whole);
}

void FileListView::RedrawRow(int row)
{
    for (int column = 0; column < Columns().size(); ++column)
        m_list.InvalidateCells(row, row, column, CellPart::Whole);
}

void FileListView::RedrawAll()
{
    m_list.viewport()->update();
}

void FileListView::SyncItemCount()
{
    m_list.SetItemCount(m_jobs.GetSize());
}

void FileListView::OnGetCellInfo(CSkinListCtrl*, ListCellInfo& info) const
{
    if (info.row < 0 || info.row >= m_jobs.GetSize())
        return;
    AnswerCell(m_jobs.GetAt(info.row), info);
}

void FileListView::AnswerCell(const JobRecord& job, ListCellInfo& info) const
{
    info.textColour = kText;
    info.backColour = kBack;
    info.selTextColour = kSelectedText;
    info.selBackFocused = kSelectedBackFocused;
    info.selBackUnfocused = kSelectedBackUnfocused;
    // The whole path, which the Source Video cell may show shortened, for
    // the row's tooltip and screen readers; a failed job's outcome below it.
    const QString path = PathForDisplay(PathFromBytes(job.sourcePath));
    info.description = job.failed ? path + QLatin1Char('\n') + Text(job.run.outcome) : path;
    switch (static_cast<JobColumn>(info.column)) {
    case JobColumn::Icon:
        info.imageIndex = job.failed ? kFailedStateIcon : static_cast<int>(job.stateIcon);
        info.imageList = &m_stateIcons;
        info.imageOnUnselected = true;
        info.accessibleText = StateName(info.imageIndex);
        break;
    case JobColumn::SourceVideo:
        info.text = path;
        info.pathEllipsis = true;
        break;
    case JobColumn::SplitSpan:
        info.text = Text(SplitSpanText(job));
        break;
    case JobColumn::FrameSize:
        info.text = Text(FrameSizeText(job));
        break;
    case JobColumn::OutType:
        info.text = Text(OutTypeText(m_host.SelectedOutputKind(), job,
            OutTypeSelections { m_host.PictureTypePosition(), m_host.PspProfilePosition() }));
        break;
    case JobColumn::Status: {
        const StatusCell status = StatusOf(job, m_host.SelectedOutputKind());
        info.text = Text(status.text);
        info.progressMax = status.progressMax;
        info.progressPos = status.progressPos;
        break;
    }
    }
}

} // namespace kelvara
