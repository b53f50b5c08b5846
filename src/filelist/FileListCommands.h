// The file list's commands: adding, removing and clearing sources, the
// clicks and keys that change the current job, and the row refresh that loads
// a job into the panels and the preview. Works against the dialog through
// FileListHost; the list's selection mark and the current job always name
// the same row.
#pragma once

#include "skin/CSkinListCtrl.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QMimeData;

namespace kelvara {

class FileListHost;
class FileListView;
class JobList;
class MediaProbe;
class OrderedProbe;
class RandomNumbers;
class SourceProber;
struct JobRecord;
struct MediaInfo;

class FileListCommands : public QObject {
    Q_OBJECT
public:
    // The probes and the random numbers must outlive the commands.
    FileListCommands(JobList& jobs, FileListHost& host, FileListView& view, MediaProbe& component,
        const SourceProber& prober, RandomNumbers& numbers, QObject* parent = nullptr);
    ~FileListCommands() override;

    // The open-file dialog's filters, in order: every extension of
    // SourceExtensions, then one filter per family, the last "All Files (*)".
    static QStringList AddDialogFilters();

    // Connects the list's clicks, keys and cell clicks to the handlers below.
    void ConnectList();

    void OnAddVideo();
    // What the Add command, a drop and the command line do with the paths
    // they name (as PathFromBytes gives them): adds the files among them and
    // refuses, before anything reads them, what is not a file (a folder, a
    // pipe, a socket, a device), telling why in one SourcesRefused.
    void AddSources(const QStringList& paths);
    // Adds the files as they are. The jobs appear while the files are
    // probed; AddFinished follows.
    void AddFiles(const QStringList& paths);
    bool IsAdding() const;
    void OnRemoveVideo();
    void OnClearVideo();
    void OnListClick();
    void OnListRightClick();
    // True when the key was one of the list's own (Up, Down, Home, End) or
    // Delete, which removes the selected row as the Remove command does.
    bool OnListKeyDown(int key);
    // Something dragged onto the list: taken when no batch runs, no adding
    // is under way and it names files to add (dropped files, and the media
    // files of dropped folders).
    bool CanTakeDrop(const QMimeData& data) const;
    // Adds what the drop names as the Add command adds its files; false
    // when the drop is refused.
    bool OnListDrop(const QMimeData& data);
    void OnCellClick(const ListCellHit& hit);
    void RefreshRow(int index);
    void ShowFrameSize(int width, int height);

signals:
    void AddFinished();
    // The text that names the refused sources and why; the dialog shows it.
    void SourcesRefused(const QString& message);

private:
    void AddProbedJob(const QString& path, const MediaInfo& info);
    void FinishAdding(const QString& lastPath);
    void SelectCurrentAgain();
    void MakeCurrent(int index);
    void ReturnToStartState();
    bool IsJob(int index) const;

    JobList& m_jobs;
    FileListHost& m_host;
    FileListView& m_view;
    CSkinListCtrl& m_list;
    MediaProbe& m_component;
    RandomNumbers& m_numbers;
    std::unique_ptr<OrderedProbe> m_probe;
    QString m_lastAdded;
};

} // namespace kelvara
