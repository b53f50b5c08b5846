// The batch run behind START and STOP: checks the output folder, queues
// every job again, converts the queued jobs one after the other in list
// order through the converter of the selected output kind, and ends the
// batch with the completion sound and message, or the power-off. The
// computer is kept from sleeping while the batch runs.
//
// Everything runs on the window's thread. The converters service the window
// while they wait, so STOP (and anything else the dialog allows) runs
// re-entrantly from inside OnStart. With "Files at once" above one, the
// kinds of one encoder command start several jobs in list order, each
// driven by the notifiers of its own encoder run, while the loop waits for
// a free place.
#pragma once

#include "batch/BatchConverters.h"
#include "batch/BatchHost.h"

#include <memory>
#include <string>
#include <vector>

namespace kelvara {

namespace platform {
class SoundPlayer;
}

struct ConversionContext;
class EncoderJob;
namespace platform {
class ShutdownService;
class SleepInhibitor;
}

// How the last batch went.
struct BatchSummary {
    int attempted = 0; // jobs handed to a converter
    int failed = 0; // of those, jobs that could not be converted
    bool stopped = false;
};

class BatchDriver {
public:
    BatchDriver(ConversionContext& context, BatchHost& host, BatchConverters& converters,
        platform::SoundPlayer& sound, platform::ShutdownService& shutdown, platform::SleepInhibitor& sleep);
    ~BatchDriver();
    BatchDriver(const BatchDriver&) = delete;
    BatchDriver& operator=(const BatchDriver&) = delete;

    // START (control 1012): runs a whole batch; returns at its end.
    void OnStart();
    // STOP (control 1017): asks the running batch to end.
    void OnStop();

    // The "Files at once" setting (kFilesAtOnceAuto or a number), read
    // before each job starts. 1 until set: one file after the other.
    void SetFilesAtOnce(int setting) { m_filesAtOnce = setting; }
    int FilesAtOnce() const { return m_filesAtOnce; }

    // While true, the dialog refuses adding, removing, clearing, the list's
    // clicks, choosing the output folder and closing.
    bool Converting() const { return m_converting; }
    const BatchSummary& LastSummary() const { return m_summary; }

private:
    enum class Next { NextJob, EndLoop };

    // A job converting side by side with others.
    struct SideBySideJob {
        std::unique_ptr<EncoderJob> run;
        PreparedEncoderJob prepared;
    };

    bool BeginBatch();
    void QueueEveryJob();
    void RunLoop();
    Next ConvertJob(int index);
    // Starts the job's encoder without waiting for it.
    void StartSideBySide(int index, const OutputKind& kind);
    // Services the window until no more than `count` jobs run side by side.
    void WaitUntilRunning(std::size_t count);
    void CollectEndedJobs();
    void StopSideBySideJobs(const OutputKind& kind);
    void ConvertThroughComponent(int index, const OutputKind& kind, const std::string& basePath);
    Next ConvertThroughEncoder(int index, const OutputKind& kind);
    void CallEncoderConverter(int index, const OutputKind& kind);
    void RecordOutcome(int index);
    void RecordStop(int index, const OutputKind& kind);
    void EndBatch();
    void AnnounceEnd();
    void ShutdownComputer();
    void ShowConverting(bool converting);

    ConversionContext& m_context;
    BatchHost& m_host;
    BatchConverters& m_converters;
    platform::SoundPlayer& m_sound;
    platform::ShutdownService& m_shutdown;
    platform::SleepInhibitor& m_sleep;
    bool m_converting = false;
    // True from the start of a batch until its end has run. STOP of a
    // component conversion clears the converting flag at once, while the
    // loop is still unwinding; a START in that moment must not nest a second
    // batch inside the first.
    bool m_loopActive = false;
    BatchSummary m_summary;
    int m_filesAtOnce = 1;
    std::vector<SideBySideJob> m_sideBySide;
};

// The completion sound, played when a batch ends without STOP.
inline constexpr const char* kCompletionSound = ":/sounds/211.wav";

} // namespace kelvara
