// START and STOP in the main window, with fake converters: what the window
// shows and refuses while a batch runs.
#include "AppFakes.h"

#include "app/MissingEncoder.h"
#include "batch/EncoderCheck.h"
#include "filelist/FileListCommands.h"
#include "platform/TerminationSignals.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinTextField.h"
#include "support/BatchFakes.h"
#include "support/ScopedVariable.h"

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace kelvara::testing {
namespace {

using testing::FakeConverters;
using testing::FakeShutdown;
using testing::FakeSleepInhibitor;

// The dialog's batch context exists only once the dialog is set up, while
// the converters must be handed in before: this passes the calls on to the
// fakes made afterwards.
class LateConverters : public BatchConverters {
public:
    void ConvertWithVideoEdit(int jobIndex, const std::string& outputPath) override
    {
        fake->ConvertWithVideoEdit(jobIndex, outputPath);
    }
    bool MakeIntermediateFile(int jobIndex) override { return fake->MakeIntermediateFile(jobIndex); }
    void ClearComponentBusy() override { fake->ClearComponentBusy(); }
    void ConvertImage(int jobIndex) override { fake->ConvertImage(jobIndex); }
    void ConvertPsp(int jobIndex) override { fake->ConvertPsp(jobIndex); }
    void ConvertXboxOrPocketPc(int jobIndex) override { fake->ConvertXboxOrPocketPc(jobIndex); }
    void ConvertPmp(int jobIndex) override { fake->ConvertPmp(jobIndex); }
    void ConvertAudio(int jobIndex) override { fake->ConvertAudio(jobIndex); }
    void StopEncoderJob() override { fake->StopEncoderJob(); }

    std::unique_ptr<FakeConverters> fake;
};

struct ShownBox {
    QString text;
    QString caption;
};

// Answers every message box with OK while it lives, and remembers what each
// said.
class MessageAnswerer {
public:
    MessageAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<CSkinMessageBox*>(QApplication::activeModalWidget())) {
                shown.push_back({ box->TextLabel()->Text(), box->CaptionLabel()->Text() });
                box->OnOK();
            }
        });
        m_timer.start(10);
    }
    std::vector<ShownBox> shown;

private:
    QTimer m_timer;
};

class BatchWindow : public ::testing::Test {
protected:
    BatchWindow()
        : f(QStringLiteral("/opt/kelvara/tools"),
            DialogServices { .shutdown = &shutdown, .sleep = &sleep, .converters = &late })
        , dialog(f.dialog)
        , sound(f.sound)
    {
        late.fake = std::make_unique<FakeConverters>(Context());
        dialog->Controls().Field(control_id::OutputFolder)->SetText(folder.path());
        dialog->show();
    }

    ConversionContext& Context();
    FakeConverters& Converters() { return *late.fake; }
    void AddJobs(int count)
    {
        for (int i = 0; i < count; ++i) {
            JobRecord job;
            // A job whose source is gone is skipped: these ones exist.
            job.sourcePath = folder.filePath(QStringLiteral("clip%1.avi").arg(i)).toStdString();
            QFile(QString::fromStdString(job.sourcePath)).open(QIODevice::WriteOnly);
            dialog->Jobs().Add(job);
        }
    }
    bool Visible(int id) const { return dialog->Controls().At(id)->isVisibleTo(dialog.get()); }
    void Click(int id) { dialog->Controls().Button(id)->click(); }

    QTemporaryDir folder;
    FakeShutdown shutdown;
    FakeSleepInhibitor sleep;
    LateConverters late;
    DialogFixture f;
    std::unique_ptr<CConverterDlg>& dialog;
    FakeSoundPlayer& sound;
};

ConversionContext& BatchWindow::Context()
{
    return dialog->BatchContext();
}

TEST(MissingEncoderWindow, TheOpenedWindowSaysWhatToInstall)
{
    const ScopedVariable chosen(kFfmpegVariable, std::string("/nonexistent/ffmpeg"));
    DialogFixture f;
    TellMissingEncoderWhenShown(*f.dialog);
    MessageAnswerer answerer;
    f.dialog->show();
    ASSERT_TRUE(WaitFor([&] { return !answerer.shown.empty(); }));
    EXPECT_EQ(answerer.shown[0].text.toStdString(), *MissingEncoderText());
    EXPECT_TRUE(f.dialog->isVisible()) << "the window stays open";
}

TEST_F(BatchWindow, StartWithAnEmptyFolderFieldAsksForTheFolderAndConvertsNothing)
{
    AddJobs(1);
    dialog->Controls().Field(control_id::OutputFolder)->SetText(QStringLiteral("   "));
    MessageAnswerer answerer;
    Click(control_id::Start);
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, "Set export folder firstly ");
    EXPECT_EQ(answerer.shown[0].caption, "error");
    EXPECT_TRUE(Converters().calls.empty());
    EXPECT_TRUE(Visible(control_id::Start));
    EXPECT_FALSE(Visible(control_id::Stop));
    EXPECT_FALSE(dialog->IsConverting());
}

TEST_F(BatchWindow, DuringABatchStopTakesStartsPlaceAndTheLockedControlsAreDisabled)
{
    AddJobs(2);
    struct Seen {
        bool start = true, stop = false, converting = false, awake = false, anyLockedEnabled = true;
        int current = -1;
    } seen;
    Converters().duringConversion = [&](int index) {
        if (index != 0)
            return;
        seen = { Visible(control_id::Start), Visible(control_id::Stop), dialog->IsConverting(), sleep.holding,
            false, dialog->CurrentJob() };
        for (const int id : kBatchLockedControls)
            seen.anyLockedEnabled = seen.anyLockedEnabled || dialog->Controls().At(id)->isEnabled();
    };
    MessageAnswerer answerer;
    Click(control_id::Start);

    EXPECT_FALSE(seen.start);
    EXPECT_TRUE(seen.stop);
    EXPECT_TRUE(seen.converting);
    EXPECT_TRUE(seen.awake) << "the computer is kept awake while converting";
    EXPECT_FALSE(seen.anyLockedEnabled);
    EXPECT_EQ(seen.current, 0);
    EXPECT_EQ(Converters().calls.size(), 2u);
    EXPECT_EQ(answerer.shown.size(), 1u) << "the end of the batch is announced";
    EXPECT_EQ(sound.played.size(), 1);
    EXPECT_TRUE(Visible(control_id::Start));
    EXPECT_FALSE(Visible(control_id::Stop));
    EXPECT_FALSE(dialog->IsConverting());
    EXPECT_FALSE(sleep.holding);
    EXPECT_TRUE(dialog->Controls().At(control_id::AviCodec)->isEnabled()) << "the AVI panel is usable again";
    EXPECT_EQ(Context().toolDirectory, "/opt/kelvara/tools/");
    EXPECT_EQ(Context().outputFolder.back(), '/');
    EXPECT_EQ(dialog->Jobs().GetAt(1).stateIcon, JobState::Done);
}

TEST_F(BatchWindow, StopInTheMiddleEndsTheBatchWithoutConvertingTheRest)
{
    AddJobs(3);
    Converters().duringConversion = [&](int index) {
        if (index == 1)
            Click(control_id::Stop);
    };
    Click(control_id::Start);
    EXPECT_EQ(Converters().calls.size(), 2u);
    EXPECT_EQ(dialog->Jobs().GetAt(0).stateIcon, JobState::Done);
    EXPECT_NE(dialog->Jobs().GetAt(1).stateIcon, JobState::Done);
    EXPECT_EQ(dialog->Jobs().GetAt(2).stateIcon, JobState::Queued);
    EXPECT_TRUE(sound.played.isEmpty()) << "no completion sound after STOP";
    EXPECT_TRUE(Visible(control_id::Start));
    EXPECT_FALSE(Visible(control_id::Stop));
    EXPECT_FALSE(dialog->IsConverting());
    EXPECT_TRUE(dialog->Controls().At(control_id::AviFrameRate)->isEnabled());
}

TEST_F(BatchWindow, ABatchEndingOnAnotherKindGivesEveryPanelItsControlsBack)
{
    AddJobs(1);
    const ControlTable& c = dialog->Controls();
    // The choice and the preset are posted, one after the other.
    const auto choose = [&](int item) {
        c.Combo(control_id::MpegType)->SelectByUser(item);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    };
    dialog->FileList().SetItemCount(1);
    dialog->SelectRow(0); // the job takes the preset, and the panel shows the job's
    choose(4); // "DVD PAL" locks the free MPEG choices
    ASSERT_EQ(dialog->Jobs().GetAt(0).mpegType, 4);
    CImageTab* pc = c.Tab(control_id::PcTabs);
    const auto pressTab
        = [&](int index) { QTest::mousePress(pc, Qt::LeftButton, {}, pc->TabRect(index).center()); };
    pressTab(2); // pictures: the AVI and MPEG panels are hidden during the batch
    ASSERT_TRUE(dialog->Output().Current().Is(PcKind::Image));
    MessageAnswerer answerer;
    Click(control_id::Start);
    ASSERT_EQ(answerer.shown.size(), 1u);

    pressTab(1);
    ASSERT_TRUE(dialog->Output().Current().Is(PcKind::Mpeg));
    for (const int id : { control_id::MpegType, control_id::AviCodec, control_id::AviSoundCodec,
             control_id::AviFrameRate, control_id::Profile })
        EXPECT_TRUE(c.At(id)->isEnabled()) << "control " << id << " left disabled by the batch";
    for (const int id : { control_id::MpegFrameRate, control_id::MpegAudioBitrate, control_id::MpegAudioRate,
             control_id::Width })
        EXPECT_FALSE(c.At(id)->isEnabled()) << "control " << id << " unlocked under the DVD preset";
    choose(7);
    EXPECT_TRUE(c.At(control_id::MpegFrameRate)->isEnabled());
    EXPECT_TRUE(c.At(control_id::Width)->isEnabled());
}

TEST_F(BatchWindow, CloseIsRefusedWhileTheBatchRunsAndAllowedAfterwards)
{
    AddJobs(1);
    bool visibleAfterClose = false;
    Converters().duringConversion = [&](int) {
        Click(control_id::Close);
        dialog->close();
        visibleAfterClose = dialog->isVisible();
    };
    MessageAnswerer answerer;
    Click(control_id::Start);
    ASSERT_EQ(answerer.shown.size(), 3u) << "two refusals and the completion message";
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(answerer.shown[i].text, "Please stop converting.");
        EXPECT_EQ(answerer.shown[i].caption, "Info") << "empty title, no icon";
    }
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_TRUE(dialog->isVisible());
    Click(control_id::Close);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(BatchWindow, TheListAndTheFolderBrowserAreRefusedDuringABatch)
{
    AddJobs(2);
    int sizeDuring = -1;
    Converters().duringConversion = [&](int index) {
        if (index != 0)
            return;
        Click(control_id::ClearVideo);
        Click(control_id::Browse);
        sizeDuring = dialog->Jobs().GetSize();
    };
    MessageAnswerer answerer;
    Click(control_id::Start);
    EXPECT_EQ(sizeDuring, 2);
    EXPECT_EQ(f.folders.asked, 0);
}

// Files that a later start of the program hands over wait for the batch's end.
TEST_F(BatchWindow, FilesHandedOverDuringABatchWaitForItsEnd)
{
    AddJobs(1);
    QStringList handed;
    for (const char* name : { "one.mp4", "two.mp4", "thr\u00e9e.mp4" }) {
        handed << folder.filePath(QString::fromUtf8(name));
        QFile(handed.back()).open(QIODevice::WriteOnly);
    }
    int sizeDuring = -1;
    Converters().duringConversion = [&](int) {
        dialog->AddIncomingFiles({ handed[0] });
        dialog->AddIncomingFiles({ handed[1], handed[2] });
        QTest::qWait(50);
        sizeDuring = dialog->Jobs().GetSize();
    };
    MessageAnswerer answerer;
    Click(control_id::Start);
    EXPECT_EQ(sizeDuring, 1) << "the list does not change under a batch";
    ASSERT_TRUE(WaitFor([&] { return dialog->Jobs().GetSize() == 4 && !dialog->FileCommands().IsAdding(); }));
    EXPECT_EQ(QString::fromStdString(dialog->Jobs().GetAt(1).sourcePath), handed[0]);
    EXPECT_EQ(QString::fromStdString(dialog->Jobs().GetAt(3).sourcePath), handed[2]);
}

// During a batch the File menu's items are greyed with the reason, and the
// window's keys go where their buttons go: Ctrl+Q is refused as Close is, the
// list keeps its files, no second batch begins, and Escape stops the batch as
// STOP does, without a question.
TEST_F(BatchWindow, TheFileMenuAndTheKeysDuringABatchAreRefusedOrStopItAsTheButtons)
{
    AddJobs(3);
    const auto items = [this] {
        QStringList seen;
        for (QAction* action : dialog->Controls().Button(control_id::FileMenu)->Menu()->actions())
            seen << (action->isEnabled() ? action->text() : action->text() + ": " + action->toolTip());
        return seen;
    };
    QStringList during;
    MessageAnswerer answerer;
    std::size_t boxesBeforeEscape = 0;
    Converters().duringConversion = [&](int index) {
        if (index == 0)
            during = items();
        boxesBeforeEscape = answerer.shown.size();
        for (const QKeyCombination key : index == 0
                ? std::vector { Qt::CTRL | Qt::Key_Q, Qt::CTRL | Qt::SHIFT | Qt::Key_Delete,
                    Qt::CTRL | Qt::Key_Return }
                : std::vector { QKeyCombination(Qt::Key_Escape) }) {
            dialog->activateWindow(); // from the refusal's message box
            ASSERT_TRUE(WaitFor([this] { return dialog->isActiveWindow(); }));
            dialog->Controls().At(control_id::Stop)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
    };
    Click(control_id::Start);
    const QString reason = ": Not available while converting";
    // A profile can be imported while a batch runs: it changes no job.
    EXPECT_EQ(during,
        QStringList({ "Add Video" + reason, "Remove Video" + reason, "Clear Video" + reason,
            "Import Profile...", "Files at once" }));
    EXPECT_EQ(items(),
        QStringList({ "Add Video", "Remove Video", "Clear Video", "Import Profile...", "Files at once" }));
    ASSERT_FALSE(answerer.shown.empty());
    EXPECT_EQ(answerer.shown[0].text, "Please stop converting.");
    EXPECT_EQ(dialog->Jobs().GetSize(), 3);
    EXPECT_EQ(Converters().calls.size(), 2u) << "one batch, stopped in its second job";
    EXPECT_EQ(dialog->Jobs().GetAt(2).stateIcon, JobState::Queued);
    EXPECT_EQ(answerer.shown.size(), boxesBeforeEscape)
        << "Escape asks nothing, and the stop announces nothing";
}

// A signal reaches the program on its event loop while a batch converts,
// and the program stops the batch there as STOP does.
TEST_F(BatchWindow, ATerminationSignalDuringABatchStopsItOnTheWindowsThread)
{
    AddJobs(3);
    std::vector<int> received;
    bool deliveredInHandler = false;
    {
        const platform::TerminationSignals watcher([&](int signalNumber) {
            received.push_back(signalNumber);
            if (dialog->IsConverting())
                dialog->OnStop();
        });
        ASSERT_TRUE(watcher.Failure().empty()) << watcher.Failure();
        Converters().duringConversion = [&](int index) {
            if (index != 1)
                return;
            std::raise(SIGTERM);
            deliveredInHandler = !received.empty();
            // The converters service the window while they wait.
            WaitFor([&] { return !received.empty(); });
        };
        MessageAnswerer answerer;
        Click(control_id::Start);
        EXPECT_TRUE(answerer.shown.empty()) << "a stopped batch announces nothing";
        std::raise(SIGHUP);
        EXPECT_TRUE(WaitFor([&] { return received.size() == 2; }));
    }
    EXPECT_FALSE(deliveredInHandler) << "nothing runs inside the signal handler";
    EXPECT_EQ(received, (std::vector<int> { SIGTERM, SIGHUP }));
    EXPECT_EQ(Converters().calls.size(), 2u);
    EXPECT_EQ(dialog->Jobs().GetAt(2).stateIcon, JobState::Queued);
    EXPECT_FALSE(dialog->IsConverting());
    struct sigaction now { };
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL) << "the default action is back once the watcher goes";
}

} // namespace
} // namespace kelvara::testing
