// The file list with 10 000 jobs and while 1 000 files are added, against a
// plain QTableView showing the same texts. Run by hand:
//   build/bench/filelist/bench_filelist [folder-for-the-1000-files]
// Prints each figure beside its goal and the ratio to the plain table.
#include "filelist/FileListCommands.h"
#include "filelist/FileListHost.h"
#include "filelist/FileListView.h"
#include "filelist/SourceProbing.h"
#include "jobs/JobCreation.h"
#include "jobs/JobList.h"
#include "jobs/RandomNumbers.h"
#include "process/Spawner.h"
#include "skin/CSkinListCtrl.h"
#include "skin/SkinPalette.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace kelvara;

namespace {

// The list at its place and size in the main window.
CSkinListCtrl* ListInWindow(QWidget& window)
{
    window.resize(780, 320);
    auto* list = new CSkinListCtrl(&window);
    list->setGeometry(15, 20, 720, 135);
    return list;
}

constexpr int kJobs = 10000;
constexpr int kRuns = 40;

class BenchHost : public FileListHost {
public:
    bool IsConverting() const override { return false; }
    OutputKind SelectedOutputKind() const override { return { OutputCategory::Audio, 0 }; }
    int PictureTypePosition() const override { return 0; }
    int PspProfilePosition() const override { return 0; }
    int MpegTypePosition() const override { return 7; }
    JobPanelOptions NewJobOptions() const override { return {}; }
    int CurrentJob() const override { return m_current; }
    void SetCurrentJob(int index) override { m_current = index; }
    void ShowJobOptions(const JobRecord&) override { }
    void SetFrameSizeFields(const QString&, const QString&) override { }
    void EnableOptionControls() override { }
    void ResetOutputSettings() override { }
    void PostMpegPreset() override { }
    void OpenPreview(const QString&, double) override { }
    void StopPreviewPlayback() override { }
    void MarkPreviewNotPlaying() override { }
    void ShowPreviewPlaceholder(bool) override { }
    void LoadTrimRange(double, double, double) override { }
    QStringList ChooseSourceFiles(const QStringList&) override { return {}; }

private:
    int m_current = -1;
};

// The plain program: the same six texts per row, made when asked.
class PlainModel : public QAbstractTableModel {
public:
    explicit PlainModel(const JobList& jobs)
        : m_jobs(jobs)
    {
    }
    int rowCount(const QModelIndex& = {}) const override { return m_jobs.GetSize(); }
    int columnCount(const QModelIndex& = {}) const override { return 6; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const JobRecord job = m_jobs.GetAt(index.row());
        return index.column() == 1 ? QString::fromStdString(job.sourcePath) : QStringLiteral("00:00:10");
    }

private:
    const JobList& m_jobs;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F> double MedianMs(F&& step)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        step(i);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

// The line bench/all.sh gathers into its table.
void Figure(const std::string& what, double value, const std::string& goal, bool holds)
{
    std::printf(
        "FIGURE\tfile list: %s\t%g\t%s\t%s\n", what.c_str(), value, goal.c_str(), holds ? "yes" : "no");
}

void Report(const char* what, double ours, double goal, double plain, const char* unit)
{
    std::printf("%-44s %9.3f %s (goal <= %g %s)  plain Qt %8.3f %s  ratio %.2f  %s\n", what, ours, unit, goal,
        unit, plain, unit, plain > 0 ? ours / plain : 0.0, ours <= goal ? "OK" : "OVER");
    std::string unitName(unit);
    unitName.erase(unitName.find_last_not_of(' ') + 1);
    char goalText[32];
    std::snprintf(goalText, sizeof goalText, "<= %g", goal);
    Figure(std::string(what) + " (" + unitName + ")", ours, goalText, ours <= goal);
}

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

JobRecord BenchJob(int i)
{
    JobRecord job;
    job.sourcePath = "/home/user/Videos/holiday clip " + std::to_string(i) + ".mp4";
    job.trimEndMs = job.durationMs = 60000;
    job.sourceWidth = job.outputWidth = 640;
    job.sourceHeight = job.outputHeight = 480;
    job.outputTitle = job.titleText = job.titleCopy = BaseNameOf(job.sourcePath);
    job.stage = JobStage::Encoding;
    job.encodedSeconds = i % 60;
    job.encodedSizeKb = 100;
    return job;
}

void MeasureTenThousand(QWidget& window, CSkinListCtrl& list, FileListView& view, JobList& jobs)
{
    QTableView plain;
    PlainModel plainModel(jobs);
    plain.setModel(&plainModel);
    plain.resize(list.size());
    plain.show();
    QApplication::processEvents();

    const double ours = MedianMs([&](int) { list.viewport()->repaint(); });
    const double theirs = MedianMs([&](int) { plain.viewport()->repaint(); });
    Report("full repaint of the visible list", ours, 8, theirs, "ms");

    int cellsAsked = 0;
    QObject::connect(
        &list, &CSkinListCtrl::ListGetCellInfo, &list, [&](CSkinListCtrl*, ListCellInfo&) { ++cellsAsked; });
    const int top = list.TopVisibleRow();
    const double cell = MedianMs([&](int i) {
        view.RedrawCell(top + i % 3, JobColumn::Status);
        QApplication::processEvents();
    });
    const int perUpdate = cellsAsked / kRuns;
    const double plainCell = MedianMs([&](int i) {
        plain.update(plainModel.index(top + i % 3, 5));
        QApplication::processEvents();
    });
    Report("one Status cell update", cell, 1, plainCell, "ms");
    std::printf("%-44s %9d cells (goal 1)\n", "cells painted per Status update", perUpdate);
    Figure("cells painted per Status update", perUpdate, "<= 1", perUpdate <= 1);

    const double page = MedianMs([&](int i) {
        list.verticalScrollBar()->triggerAction(
            i % 2 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd);
        list.viewport()->repaint();
    });
    const double plainPage = MedianMs([&](int i) {
        plain.verticalScrollBar()->triggerAction(
            i % 2 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd);
        plain.viewport()->repaint();
    });
    Report("page scroll", page, 8, plainPage, "ms");
    (void)window;
}

QString MakeSecondLongMp4(const QString& folder)
{
    const QString path = folder + "/one.mp4";
    kelvara::SpawnRequest request;
    request.program = "ffmpeg";
    request.arguments = { "ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
        "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i", "sine=frequency=440", "-t", "1", "-c:v", "mpeg4",
        "-c:a", "aac", "-shortest", path.toStdString() };
    kelvara::SpawnResult ffmpeg = kelvara::Spawn(request);
    ffmpeg.child.Wait();
    return QFile::exists(path) ? path : QString();
}

void MeasureAdding(const QString& folder)
{
    const QString one = MakeSecondLongMp4(folder);
    if (one.isEmpty()) {
        std::printf("adding 1000 files: no ffmpeg, skipped\n");
        return;
    }
    QStringList paths;
    for (int i = 0; i < 1000; ++i) {
        const QString path = QStringLiteral("%1/clip %2.mp4").arg(folder).arg(i);
        QFile::link(one, path) || QFile::copy(one, path);
        paths << path;
    }
    QWidget window;
    CSkinListCtrl* list = ListInWindow(window);
    JobList jobs;
    BenchHost host;
    RandomNumbers numbers;
    LibavSourceProber prober;
    ProbedMediaInfo noProbe({});
    auto* view = new FileListView(*list, jobs, host);
    FileListCommands commands(jobs, host, *view, noProbe, prober, numbers);
    list->AttachScrollBars();
    window.show();
    QApplication::processEvents();

    int paints = 0;
    QObject::connect(list, &CSkinListCtrl::ListGetCellInfo, list, [&](CSkinListCtrl*, ListCellInfo& info) {
        if (info.column == 0)
            ++paints;
    });
    QElapsedTimer timer;
    timer.start();
    commands.AddFiles(paths);
    while (commands.IsAdding())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    list->viewport()->repaint();
    const double seconds = timer.elapsed() / 1000.0;

    // The plain way: the same files probed one after the other on the GUI thread.
    QElapsedTimer plainTimer;
    plainTimer.start();
    for (const QString& path : paths)
        (void)ReadMediaInfo(path.toStdString());
    const double plainSeconds = plainTimer.elapsed() / 1000.0;
    Report("adding 1000 one-second MP4 files", seconds, 3, plainSeconds, "s ");
    std::printf("%-44s %9d (rows %d, last shown %d)\n", "icon cells painted while adding", paints,
        jobs.GetSize(), list->BottomVisibleRow());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    LoadSkinPalette();
    const long before = ResidentKb();
    {
        QWidget window;
        CSkinListCtrl* list = ListInWindow(window);
        JobList jobs;
        BenchHost host;
        auto* view = new FileListView(*list, jobs, host);
        for (int i = 0; i < kJobs; ++i)
            jobs.Add(BenchJob(i));
        view->SyncItemCount();
        list->AttachScrollBars();
        window.show();
        QApplication::processEvents();
        const double residentMb = ResidentKb() / 1024.0;
        std::printf("%-44s %9.1f MB (goal <= 200 MB; before the list %.1f MB)\n", "resident with 10 000 jobs",
            residentMb, before / 1024.0);
        Figure("resident with 10 000 jobs (MB)", residentMb, "<= 200", residentMb <= 200);
        list->scrollTo(list->model()->index(kJobs / 2, 0));
        MeasureTenThousand(window, *list, *view, jobs);
        if (argc > 2 && QString(argv[1]) == "--grab")
            window.grab().save(argv[2]);
    }
    QTemporaryDir temp;
    MeasureAdding(argc > 1 && QString(argv[1]) != "--grab" ? QString(argv[1]) : temp.path());
    return 0;
}
