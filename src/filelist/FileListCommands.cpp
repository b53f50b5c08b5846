#include "FileListCommands.h"

#include "DroppedFiles.h"
#include "FileListHost.h"
#include "FileListView.h"
#include "PathText.h"
#include "SourceCheck.h"
#include "SourceProbing.h"
#include "jobs/JobCreation.h"
#include "jobs/JobList.h"
#include "jobs/SourceExtensions.h"
#include "videoedit/MediaProbe.h"

#include <QMimeData>
#include <QThread>

namespace kelvara {

namespace {

// The MPEG types before these are the VCD, SVCD and DVD presets.
constexpr int kFirstFreeMpegType = 6;
// Probing waits mostly on the disk: a few more readers than cores keep it busy.
int ProbeThreads()
{
    return std::max(2, QThread::idealThreadCount() * 2);
}

} // namespace

FileListCommands::FileListCommands(JobList& jobs, FileListHost& host, FileListView& view,
    MediaProbe& component, const SourceProber& prober, RandomNumbers& numbers, QObject* parent)
    : QObject(parent)
    , m_jobs(jobs)
    , m_host(host)
    , m_view(view)
    , m_list(view.List())
    , m_component(component)
    , m_numbers(numbers)
    , m_probe(std::make_unique<OrderedProbe>(prober, ProbeThreads()))
{
}

FileListCommands::~FileListCommands() = default;

QStringList FileListCommands::AddDialogFilters()
{
    // The first filter, the one the dialog opens with, takes every extension.
    QStringList all;
    QStringList families;
    QList<QStringList> familyPatterns;
    for (const SourceExtension& source : SourceExtensions()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(source.extension);
        const QString family = QString::fromLatin1(source.family);
        all << pattern;
        if (families.isEmpty() || families.last() != family) {
            families << family;
            familyPatterns << QStringList();
        }
        familyPatterns.last() << pattern;
    }
    QStringList filters { QStringLiteral("Audio and Video Files (%1)").arg(all.join(QLatin1Char(' '))) };
    for (qsizetype i = 0; i < families.size(); ++i)
        filters << QStringLiteral("%1 (%2)").arg(families[i], familyPatterns[i].join(QLatin1Char(' ')));
    filters << QStringLiteral("All Files (*)");
    return filters;
}

void FileListCommands::ConnectList()
{
    connect(&m_list, &CSkinListCtrl::ListCellClick, this,
        [this](CSkinListCtrl*, const ListCellHit& hit) { OnCellClick(hit); });
    connect(&m_list, &CSkinListCtrl::Clicked, this, &FileListCommands::OnListClick);
    connect(&m_list, &CSkinListCtrl::DoubleClicked, this, &FileListCommands::OnListClick);
    connect(&m_list, &CSkinListCtrl::RightClicked, this, &FileListCommands::OnListRightClick);
    connect(&m_list, &CSkinListCtrl::KeyDown, this,
        [this](CSkinListCtrl*, int key, bool& handled) { handled = OnListKeyDown(key); });
    connect(&m_list, &CSkinListCtrl::DragQuery, this,
        [this](CSkinListCtrl*, const QMimeData* data, bool& accept) { accept = data && CanTakeDrop(*data); });
    connect(&m_list, &CSkinListCtrl::Dropped, this,
        [this](
            CSkinListCtrl*, const QMimeData* data, bool& accepted) { accepted = data && OnListDrop(*data); });
}

bool FileListCommands::IsJob(int index) const
{
    return index >= 0 && index < m_jobs.GetSize();
}

void FileListCommands::OnAddVideo()
{
    if (m_host.IsConverting() || IsAdding())
        return;
    const QStringList paths = m_host.ChooseSourceFiles(AddDialogFilters());
    AddSources(paths);
}

void FileListCommands::AddSources(const QStringList& paths)
{
    if (m_host.IsConverting() || IsAdding() || paths.isEmpty())
        return;
    const SortedSources sorted = SortSources(paths);
    if (!sorted.refused.empty())
        emit SourcesRefused(RefusalMessage(sorted.refused));
    AddFiles(sorted.toAdd);
}

bool FileListCommands::IsAdding() const
{
    return m_probe->IsRunning();
}

void FileListCommands::AddFiles(const QStringList& paths)
{
    if (m_host.IsConverting() || IsAdding() || paths.isEmpty())
        return;
    m_host.ShowPreviewPlaceholder(false);
    const QString& last = paths.last();
    m_probe->Start(
        paths, [this](const QString& path, const MediaInfo& info) { AddProbedJob(path, info); },
        [this, last] { FinishAdding(last); });
}

void FileListCommands::AddProbedJob(const QString& path, const MediaInfo& info)
{
    ProbedMediaInfo probe(info);
    const JobRecord job = CreateJobRecord(PathBytes(path), probe, m_numbers, m_jobs, m_host.NewJobOptions());
    ShowFrameSize(job.outputWidth, job.outputHeight);
    const int index = m_jobs.Add(job);
    m_view.SyncItemCount();
    m_host.SetCurrentJob(index);
    m_host.LoadTrimRange(job.durationMs, 0.0, job.durationMs);
    m_list.SetSelectionMark(index);
    m_list.SelectRow(index);
    m_list.setFocus();
    m_list.scrollTo(m_list.model()->index(index, 0));
}

void FileListCommands::FinishAdding(const QString& lastPath)
{
    // Opening every added file only to replace it at once shows nothing:
    // the preview opens the last one.
    if (m_jobs.GetSize() > 0)
        m_host.OpenPreview(lastPath, 1.0);
    if (m_host.SelectedOutputKind().Is(PcKind::Mpeg) && m_host.MpegTypePosition() >= 0
        && m_host.MpegTypePosition() < kFirstFreeMpegType)
        m_host.PostMpegPreset();
    emit AddFinished();
}

void FileListCommands::OnRemoveVideo()
{
    if (m_host.IsConverting())
        return;
    const int mark = m_list.GetSelectionMark();
    if (!IsJob(mark))
        return;
    m_host.StopPreviewPlayback();
    m_jobs.RemoveAt(mark);
    m_view.SyncItemCount();
    if (m_jobs.GetSize() == 0) {
        ReturnToStartState();
        return;
    }
    const int next = std::min(mark, m_jobs.GetSize() - 1);
    m_host.SetCurrentJob(next);
    RefreshRow(next);
}

void FileListCommands::OnClearVideo()
{
    if (m_host.IsConverting())
        return;
    m_probe->Cancel();
    m_host.StopPreviewPlayback();
    m_jobs.RemoveAll();
    m_view.SyncItemCount();
    ReturnToStartState();
}

void FileListCommands::ReturnToStartState()
{
    m_host.SetCurrentJob(-1);
    m_list.SetSelectionMark(-1);
    ShowFrameSize(0, 0);
    m_host.ShowPreviewPlaceholder(true);
    m_host.LoadTrimRange(100.0, 0.0, 100.0);
    m_host.ResetOutputSettings();
}

void FileListCommands::SelectCurrentAgain()
{
    const int current = m_host.CurrentJob();
    if (!IsJob(current))
        return;
    m_list.SetSelectionMark(current);
    m_list.SelectRow(current);
}

void FileListCommands::OnListClick()
{
    const int mark = m_list.GetSelectionMark();
    // While a batch runs the current row stays the selected one.
    if (!m_host.IsConverting() && IsJob(mark) && mark != m_host.CurrentJob())
        return;
    SelectCurrentAgain();
}

void FileListCommands::OnListRightClick()
{
    const int mark = m_list.GetSelectionMark();
    if (m_host.IsConverting() || !IsJob(mark) || mark == m_host.CurrentJob()) {
        SelectCurrentAgain();
        return;
    }
    m_host.SetCurrentJob(mark);
    m_host.EnableOptionControls();
    RefreshRow(mark);
}

bool FileListCommands::CanTakeDrop(const QMimeData& data) const
{
    if (m_host.IsConverting() || IsAdding() || !data.hasUrls())
        return false;
    return !DroppedPaths(data.urls(), MediaPatterns(AddDialogFilters())).isEmpty();
}

bool FileListCommands::OnListDrop(const QMimeData& data)
{
    if (m_host.IsConverting() || IsAdding() || !data.hasUrls())
        return false;
    const QStringList paths = DroppedPaths(data.urls(), MediaPatterns(AddDialogFilters()));
    if (paths.isEmpty())
        return false;
    AddSources(paths);
    return true;
}

bool FileListCommands::OnListKeyDown(int key)
{
    if (key == Qt::Key_Delete) {
        OnRemoveVideo();
        return true;
    }
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Home && key != Qt::Key_End)
        return false;
    if (m_host.IsConverting())
        return true;
    const int mark = m_list.GetSelectionMark();
    const int count = m_jobs.GetSize();
    int row = -1;
    if (key == Qt::Key_Up && mark > 0)
        row = mark - 1;
    else if (key == Qt::Key_Down && mark >= 0 && mark < count - 1)
        row = mark + 1;
    else if (key == Qt::Key_Home && count > 0)
        row = 0;
    else if (key == Qt::Key_End && count > 0)
        row = count - 1;
    if (row >= 0)
        MakeCurrent(row);
    return true;
}

void FileListCommands::MakeCurrent(int index)
{
    m_host.SetCurrentJob(index);
    RefreshRow(index);
}

void FileListCommands::OnCellClick(const ListCellHit& hit)
{
    if (m_host.IsConverting()) {
        SelectCurrentAgain();
        return;
    }
    if (hit.onCheckBox) {
        m_list.InvalidateCells(hit.row, hit.row, hit.column, CellPart::Whole);
        return;
    }
    const int mark = m_list.GetSelectionMark();
    if (!IsJob(mark) || mark == m_host.CurrentJob())
        return;
    MakeCurrent(mark);
    m_host.MarkPreviewNotPlaying();
}

void FileListCommands::RefreshRow(int index)
{
    if (!IsJob(index))
        return;
    const JobRecord job = m_jobs.GetAt(index);
    ShowFrameSize(job.outputWidth, job.outputHeight);
    m_host.ShowJobOptions(job);
    const double durationMs = m_component.GetFileDuration(job.sourcePath) * 1000.0;
    m_host.LoadTrimRange(durationMs, job.trimStartMs, job.trimEndMs);
    m_host.OpenPreview(PathFromBytes(job.sourcePath), job.trimStartMs / 1000.0);
    m_list.SetSelectionMark(index);
    m_list.SelectRow(index);
    m_list.setFocus();
    m_list.scrollTo(m_list.model()->index(index, 0));
}

void FileListCommands::ShowFrameSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        m_host.SetFrameSizeFields(QString(), QString());
    else
        m_host.SetFrameSizeFields(QString::number(width), QString::number(height));
}

} // namespace kelvara
