// The preview's two figures, run by hand:
//   build/bench/preview/bench_preview [work-folder]
// 1. First picture: what a row selection asks of the video-editing component
//    (stop, duration, clip from 1.0 s, play) until the picture is painted in
//    the preview window, for a 1080p H.264 file with a key frame every 2 s;
//    beside it the floor: ffmpeg opening the same file and decoding to 1.0 s.
// 2. Playback: a 1080p30 H.264 file played in real time, mpv's dropped
//    frames, and how late a 10 ms GUI timer fires meanwhile; beside it
//    ffmpeg decoding the same file as fast as it can.
// Each figure is printed beside its goal.
#include "videoedit/CVideoEdit.h"
#include "videoedit/MpvPlayback.h"
#include "videoedit/PreviewView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace kelvara;

namespace {

constexpr int kFirstPictureRuns = 15;
constexpr double kPlaySeconds = 20.0;

bool RunQuietly(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitCode() == 0;
}

bool Make1080p(const QString& path, double seconds)
{
    const QString length = QString::number(seconds);
    return RunQuietly("ffmpeg",
        { "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=30:duration=" + length,
            "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=" + length, "-c:v", "libx264",
            "-preset", "veryfast", "-g", "60", "-keyint_min", "60", "-sc_threshold", "0", "-pix_fmt",
            "yuv420p", "-c:a", "aac", "-shortest", path });
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return 0.0;
    return values[std::min(values.size() - 1, static_cast<std::size_t>(fraction * values.size()))];
}

bool Pump(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Counts the preview window's paints.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

std::vector<double> FirstPictureTimes(CVideoEdit& component, PreviewView& view, const QStringList& files)
{
    PaintCounter counter;
    view.installEventFilter(&counter);
    int positions = 0;
    QObject::connect(&component, &CVideoEdit::PreviewPosition, [&](double) { ++positions; });
    std::vector<double> times;
    for (int run = 0; run < kFirstPictureRuns + 1; ++run) {
        const std::string path = files[run % files.size()].toStdString();
        QElapsedTimer timer;
        timer.start();
        positions = 0;
        const int paintsBefore = counter.paints;
        component.StopConvert();
        const double duration = component.GetFileDuration(path);
        component.ClearClips();
        component.SetOutputDepth(24);
        component.AddClipEx(path, 1.0, duration, 0);
        component.StartPlay();
        // The first position comes with the first picture; then it is painted.
        if (!Pump([&] { return positions > 0 && counter.paints > paintsBefore; }, 10000))
            return {};
        component.PausePlay(); // as the dialog does at the first position
        if (run > 0) // the first run also starts mpv
            times.push_back(timer.nsecsElapsed() / 1e6);
        Pump([] { return false; }, 100);
    }
    return times;
}

std::vector<double> FfmpegFloorTimes(const QString& file)
{
    std::vector<double> times;
    for (int run = 0; run < kFirstPictureRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        RunQuietly("ffmpeg",
            { "-v", "error", "-ss", "1.0", "-i", file, "-frames:v", "1", "-an", "-f", "null", "-" });
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return times;
}

struct PlaybackFigures {
    double wallSeconds = 0.0;
    MpvPlayback::Counters counters;
    std::vector<double> timerLateness;
};

PlaybackFigures Play(CVideoEdit& component, const QString& file)
{
    PlaybackFigures figures;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceTick;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (sinceTick.isValid())
            figures.timerLateness.push_back(std::max(0.0, sinceTick.nsecsElapsed() / 1e6 - 10.0));
        sinceTick.restart();
    });
    component.StopConvert();
    component.ClearClips();
    component.AddClipEx(file.toStdString(), 0.0, kPlaySeconds, 0);
    const MpvPlayback::Counters before
        = component.Playback() ? component.Playback()->FrameCounters() : MpvPlayback::Counters {};
    QElapsedTimer wall;
    wall.start();
    component.StartPlay();
    ticker.start(10);
    Pump([&] { return wall.elapsed() > 500 && !component.IsPlaying(); },
        static_cast<int>(kPlaySeconds * 3000));
    ticker.stop();
    figures.wallSeconds = wall.nsecsElapsed() / 1e9;
    const MpvPlayback::Counters after = component.Playback()->FrameCounters();
    // mpv counts dropped frames afresh for each file; the others are ours.
    figures.counters.framesDroppedByOutput = after.framesDroppedByOutput;
    figures.counters.framesDroppedByDecoder = after.framesDroppedByDecoder;
    figures.counters.picturesDrawn = after.picturesDrawn - before.picturesDrawn;
    figures.counters.rendererStalls = after.rendererStalls - before.rendererStalls;
    return figures;
}

double FfmpegDecodeSeconds(const QString& file)
{
    QElapsedTimer timer;
    timer.start();
    RunQuietly("ffmpeg", { "-v", "error", "-i", file, "-f", "null", "-" });
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const QString a = folder + "/preview-1080p-a.mp4";
    const QString b = folder + "/preview-1080p-b.mp4";
    std::printf("making the 1080p30 H.264 files (key frame every 2 s)...\n");
    QFile::remove(b);
    if (!Make1080p(a, kPlaySeconds) || !QFile::copy(a, b)) {
        std::printf("cannot make the test files with ffmpeg\n");
        return 1;
    }

    CVideoEdit component;
    component.SetAudioOutputs(qEnvironmentVariable("KELVARA_BENCH_AUDIO", "null").toStdString());
    // The component's window at the preview's size, shown on its own.
    std::unique_ptr<QWidget> window(component.CreatePreviewView(nullptr));
    auto& view = static_cast<PreviewView&>(*window);
    view.resize(296, 217);
    view.show();

    const std::vector<double> firstPicture = FirstPictureTimes(component, view, { a, b });
    const std::vector<double> floor = FfmpegFloorTimes(a);
    if (firstPicture.empty()) {
        std::printf("the preview showed no picture: %s\n", component.PlaybackError().c_str());
        return 1;
    }
    const double pictureMedian = Median(firstPicture);
    const double floorMedian = Median(floor);
    std::printf("first picture at 1.0 s, median of %d: %.1f ms (goal <= 200 ms) | ffmpeg floor %.1f ms | "
                "ratio %.2f\n",
        kFirstPictureRuns, pictureMedian, floorMedian, pictureMedian / floorMedian);

    const PlaybackFigures played = Play(component, a);
    const double frames = kPlaySeconds * 30.0;
    const double dropped
        = static_cast<double>(played.counters.framesDroppedByOutput + played.counters.framesDroppedByDecoder);
    const double decode = FfmpegDecodeSeconds(a);
    std::printf(
        "playback of %.0f s: took %.2f s (real time ratio %.3f) | dropped %.0f of %.0f frames = %.2f %% "
        "(goal < 1 %%; output %lld, decoder %lld) | pictures drawn %lld | renderer stalls %lld\n",
        kPlaySeconds, played.wallSeconds, played.wallSeconds / kPlaySeconds, dropped, frames,
        100.0 * dropped / frames, static_cast<long long>(played.counters.framesDroppedByOutput),
        static_cast<long long>(played.counters.framesDroppedByDecoder),
        static_cast<long long>(played.counters.picturesDrawn),
        static_cast<long long>(played.counters.rendererStalls));
    std::printf("10 ms GUI timer late by p99 %.1f ms, max %.1f ms over %zu ticks (goal p99 <= 30 ms)\n",
        Percentile(played.timerLateness, 0.99), Percentile(played.timerLateness, 1.0),
        played.timerLateness.size());
    std::printf("ffmpeg decoding the same file as fast as it can: %.2f s = %.2fx real time (the headroom)\n",
        decode, kPlaySeconds / decode);
    return 0;
}
