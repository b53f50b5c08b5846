// Dragging a thumb of the trim slider over a two-hour file in the real main
// window, with mouse moves arriving at 60 Hz: how often the slider repaints,
// against the 30/s goal and against a plain QSlider dragged the same way in
// the same run; and when the preview is asked to open (only at the release).
// Run by hand, under a display or offscreen:
//   build/bench/trim/bench_trim_drag [seconds]
#include "app/CConverterDlg.h"
#include "platform/DesktopShell.h"
#include "platform/SettingsStore.h"
#include "preview/PreviewPanel.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinListCtrl.h"
#include "skin/SkinAccessibility.h"
#include "skin/SkinPalette.h"
#include "videoedit/PreviewControl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>

using namespace kelvara;

namespace {

constexpr double kTwoHoursMs = 2.0 * 3600 * 1000;
constexpr int kMoveIntervalMs = 16; // about 60 moves a second
constexpr double kGoalPerSecond = 30.0;

class MemorySettings : public platform::SettingsStore {
public:
    std::optional<QString> Read(const QString& key) const override
    {
        const auto found = m_values.find(key);
        return found == m_values.end() ? std::nullopt : std::optional(found->second);
    }
    void Write(const QString& key, const QString& value) override { m_values[key] = value; }

private:
    std::map<QString, QString> m_values;
};

// The preview's component with its opens counted instead of played.
class CountingPreview : public PreviewControl {
public:
    double GetFileDuration(const std::string&) override { return kTwoHoursMs / 1000; }
    void SetOutputDepth(std::int16_t) override { }
    bool AddClip(const std::string&, double, double) override { return true; }
    bool AddClipEx(const std::string&, double, double, std::int16_t) override
    {
        ++opens;
        return true;
    }
    void ClearClips() override { }
    void StopConvert() override { }
    bool StartPlay() override { return true; }
    void PausePlay() override { }
    int opens = 0;
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)),
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

struct DragResult {
    double paintsPerSecond = 0;
    int moves = 0;
    int opensDuringDrag = 0;
};

// Presses at `grab`, moves back and forth over `span` pixels at 60 Hz for
// `seconds`, releases; counts the paints of `widget` meanwhile.
DragResult Drag(QWidget* widget, QPoint grab, int span, double seconds, const std::function<int()>& opens)
{
    PaintCounter counter;
    widget->installEventFilter(&counter);
    SendMouse(widget, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    QApplication::processEvents();
    counter.paints = 0;
    DragResult result;
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    QEventLoop loop;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (clock.elapsed() >= seconds * 1000) {
            loop.quit();
            return;
        }
        const int phase = result.moves++ % (2 * span);
        const int dx = phase < span ? phase : 2 * span - phase;
        SendMouse(widget, QEvent::MouseMove, grab + QPoint(dx, 0), Qt::LeftButton);
    });
    timer.start(kMoveIntervalMs);
    loop.exec();
    const double elapsed = clock.elapsed() / 1000.0;
    result.paintsPerSecond = counter.paints / elapsed;
    result.opensDuringDrag = opens();
    SendMouse(widget, QEvent::MouseButtonRelease, grab, Qt::NoButton);
    QApplication::processEvents();
    widget->removeEventFilter(&counter);
    return result;
}

QPoint QSliderHandle(QSlider& slider)
{
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.subControls = QStyle::SC_SliderHandle;
    return slider.style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider)
        .center();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    InstallSkinAccessibility();
    LoadSkinPalette();

    MemorySettings settings;
    platform::QDesktopShell shell;
    platform::QFileDialogs dialogs;
    const ProgramFolders folders { "/opt/kelvara/", "/opt/kelvara/tools/", QDir::tempPath() + "/", "3.1" };
    CountingPreview preview;
    CConverterDlg dialog(folders,
        DialogServices { .settings = &settings, .shell = &shell, .folders = &dialogs, .preview = &preview });
    dialog.OnInitDialog(nullptr);
    dialog.show();
    JobRecord job;
    job.sourcePath = "/media/two hours.mp4";
    job.durationMs = kTwoHoursMs;
    job.trimEndMs = kTwoHoursMs;
    const int row = dialog.Jobs().Add(job);
    dialog.FileList().SetItemCount(1);
    dialog.FileList().SetSelectionMark(row);
    dialog.SetCurrentJob(row);
    dialog.LoadTrimRange(kTwoHoursMs, 0, kTwoHoursMs);
    CRangeSlider& trim = dialog.Preview().TrimSlider();
    // The hit areas come from the first paint.
    QElapsedTimer waited;
    waited.start();
    while (trim.Model().TrackLength() <= 0 && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    const QPoint thumb = trim.Model().LeftRect().center();
    const DragResult ours = Drag(&trim, thumb, 200, seconds, [&] { return preview.opens; });
    const int opensAfterRelease = preview.opens;

    QWidget plainWindow;
    plainWindow.resize(330, 60);
    QSlider plain(Qt::Horizontal, &plainWindow);
    plain.setGeometry(32, 20, 267, 17);
    plain.setRange(0, int(kTwoHoursMs));
    plainWindow.show();
    QApplication::processEvents();
    const DragResult base = Drag(&plain, QSliderHandle(plain), 200, seconds, [] { return 0; });

    std::printf("moves sent: %d at %d ms intervals over %.1f s\n", ours.moves, kMoveIntervalMs, seconds);
    std::printf("trim slider repaints: %.1f/s  (goal >= %.0f/s: %.2fx the goal)\n", ours.paintsPerSecond,
        kGoalPerSecond, ours.paintsPerSecond / kGoalPerSecond);
    std::printf("plain QSlider repaints: %.1f/s  (trim slider at %.2fx the plain slider)\n",
        base.paintsPerSecond, base.paintsPerSecond > 0 ? ours.paintsPerSecond / base.paintsPerSecond : 0.0);
    std::printf("preview opened during the drag: %d (goal 0); after the release: %d (goal 1)\n",
        ours.opensDuringDrag, opensAfterRelease - ours.opensDuringDrag);
    // The lines bench/all.sh gathers into its table.
    const int opensAtRelease = opensAfterRelease - ours.opensDuringDrag;
    std::printf("FIGURE\ttrim: slider repaints while dragged (/s)\t%.1f\t>= %.0f\t%s\n", ours.paintsPerSecond,
        kGoalPerSecond, ours.paintsPerSecond >= kGoalPerSecond ? "yes" : "no");
    std::printf("FIGURE\ttrim: slider repaints / plain QSlider's\t%.2f\t-\t-\n",
        base.paintsPerSecond > 0 ? ours.paintsPerSecond / base.paintsPerSecond : 0.0);
    std::printf("FIGURE\ttrim: preview opened during the drag\t%d\t<= 0\t%s\n", ours.opensDuringDrag,
        ours.opensDuringDrag == 0 ? "yes" : "no");
    std::printf("FIGURE\ttrim: preview opened at the release\t%d\t= 1\t%s\n", opensAtRelease,
        opensAtRelease == 1 ? "yes" : "no");
    const bool met = ours.paintsPerSecond >= kGoalPerSecond && ours.opensDuringDrag == 0
        && opensAfterRelease - ours.opensDuringDrag == 1;
    std::printf("%s\n", met ? "goals met" : "GOALS MISSED");
    return met ? 0 : 1;
}
