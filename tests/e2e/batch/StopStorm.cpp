// The stop storm: in one run, STOP pressed at random moments over every
// output kind (and a VOB source in its intermediate step), each time
// through the real batch driver, converters, encoder and component, into a
// folder that already holds the user's files of every name a kind can
// write. After each stop no encoder or tool process is left, the job is
// stopped, the files the stop removes are gone, the user's files are as
// they were, whatever output is left plays, and the next batch converts.
// Prints its counts; exits 1 on any fault.
//
//   stop_storm [--seed N] [--count N] [--files-at-once N]
// With several files at once, the jobs of one-core encoders run side by
// side and a stop ends every running one.
#include "batch/FilesAtOnce.h"
#include "jobs/JobCreation.h"
#include "naming/OutputNaming.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/RealBatch.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <thread>
#include <unistd.h>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

struct Scenario {
    const char* name;
    OutputKind kind;
    int picture = 4;
    int profile = 0;
    bool vob = false; // a VOB source, stopped in its intermediate step
};

constexpr OutputKind Pc(PcKind kind)
{
    return { OutputCategory::PcVideo, static_cast<std::int32_t>(kind) };
}
constexpr OutputKind Mobile(MobileKind kind)
{
    return { OutputCategory::MobileVideo, static_cast<std::int32_t>(kind) };
}
constexpr OutputKind Audio(AudioKind kind)
{
    return { OutputCategory::Audio, static_cast<std::int32_t>(kind) };
}

const Scenario kScenarios[] = {
    { "AVI", Pc(PcKind::Avi) },
    { "MPEG", Pc(PcKind::Mpeg) },
    { "JPEG still", Pc(PcKind::Image), 4 },
    { "GIF animation", Pc(PcKind::Image), 0 },
    { "Sony PSP", Mobile(MobileKind::Psp), 4, 7 },
    { "Xbox360", Mobile(MobileKind::Xbox360), 4, 2 },
    { "Pocket PC", Mobile(MobileKind::PocketPc), 4, 2 },
    { "PMP", Mobile(MobileKind::Pmp), 4, 1 },
    { "MP3", Audio(AudioKind::Mp3) },
    { "WMA", Audio(AudioKind::Wma) },
    { "WAV", Audio(AudioKind::Wav) },
    { "MP2", Audio(AudioKind::Mp2) },
    { "AC3", Audio(AudioKind::Ac3) },
    { "VOB intermediate", Audio(AudioKind::Mp3), 4, 0, true },
};
constexpr int kScenarioCount = static_cast<int>(std::size(kScenarios));

// Children of ours carry this in their environment, so one that lost its
// parent is still found.
constexpr const char* kMarkerName = "KELVARA_STOP_STORM";
// A stop must have ended every process by then; the component ends its
// ffmpeg without blocking the window, so the loop is pumped meanwhile.
constexpr auto kProcessGrace = std::chrono::seconds(10);

std::string StageName(const JobRecord& job, const OutputKind& kind)
{
    // The intermediate step comes before the job is marked converting.
    if (job.stage == JobStage::MakingIntermediate)
        return "intermediate step";
    if (job.stateIcon == JobState::Queued)
        return "before converting";
    if (kind.UsesVideoEditComponent())
        return "component converting";
    switch (job.stage) {
    case JobStage::AuxiliaryRuns:
        return "auxiliary tools";
    case JobStage::Encoding:
        return "encoding";
    default:
        return "starting (stage " + std::to_string(static_cast<int>(job.stage)) + ")";
    }
}

bool Plays(const std::string& path)
{
    const CommandResult decoded = RunProgram({ "ffmpeg", "-v", "error", "-i", path, "-f", "null", "-" });
    return decoded.exitCode == 0;
}

class StopStorm {
public:
    StopStorm(unsigned seed, std::string toolDirectory);

    bool MakeSources();
    void RunStop(const Scenario& scenario);
    int Report(int count) const;
    void SetFilesAtOnce(int files)
    {
        m_batch.driver.SetFilesAtOnce(files);
        m_filesAtOnce = files;
    }

private:
    void Queue(const std::string& first, const std::string& second);
    void PlantUsersFiles();
    void CheckUsersFiles(const std::string& when);
    void ArmStop(const Scenario& scenario);
    void StopNow();
    void CheckAfterStop();
    void CheckNoProcessLeft(const std::string& when);
    void CheckOutputsPlay(const std::string& when, bool needOne);
    void VerifyNextBatch(const Scenario& scenario);
    void Problem(const std::string& text);
    void ClearOutputFolder();

    std::string m_marker;
    int m_filesAtOnce = 1;
    TempFolder m_sources;
    TempFolder m_output;
    RealBatch m_batch;
    std::mt19937 m_random;
    std::string m_clip, m_short, m_vob, m_shortVob;
    // The user's files in the output folder, by name, with what they hold.
    std::map<std::string, std::string> m_usersFiles;

    // Where the stop landed.
    bool m_stopPressed = false;
    int m_stoppedJob = -1;
    std::string m_stoppedStage;
    int m_intermediateRedraws = 0;
    int m_stopAtRedraw = 0;

    std::map<std::string, int> m_stopsByKind;
    std::map<std::string, int> m_stopsByStage;
    int m_missed = 0;
    int m_verified = 0;
    std::vector<std::string> m_problems;
    std::string m_current;
};

StopStorm::StopStorm(unsigned seed, std::string toolDirectory)
    : m_marker(std::string(kMarkerName) + "=" + std::to_string(::getpid()))
    , m_batch(toolDirectory, m_output.Folder())
    , m_random(seed)
{
    ::setenv(kMarkerName, std::to_string(::getpid()).c_str(), 1);
}

bool StopStorm::MakeSources()
{
    m_clip = m_sources.File(std::string(kHostileName) + ".mp4");
    m_short = m_sources.File("short one.mp4");
    m_vob = m_sources.File("disc one.vob");
    m_shortVob = m_sources.File("disc two.vob");
    const std::vector<std::string> vob = { "-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob" };
    return MakeClip(m_clip, 6.0, 320, 240) && MakeClip(m_short, 1.0, 160, 120)
        && MakeClip(m_vob, 6.0, 352, 288, vob) && MakeClip(m_shortVob, 1.0, 352, 288, vob);
}

void StopStorm::Problem(const std::string& text)
{
    m_problems.push_back(m_current + ": " + text);
    std::fprintf(stderr, "FAULT %s\n", m_problems.back().c_str());
}

void StopStorm::Queue(const std::string& first, const std::string& second)
{
    m_batch.jobs.RemoveAll();
    m_batch.AddSource(first);
    m_batch.AddSource(second);
    PlantUsersFiles();
}

// A file of the user's under every name a job of the list could write or
// use for a step, the first numbered alternatives included.
void StopStorm::PlantUsersFiles()
{
    static const char* const kSuffixes[] = { ".avi", ".mpg", ".gif", ".jpg", ".mp3", ".wma", ".wav", ".mp2",
        ".ac3", ".pmp", "0001.avi", "0001.mp3", "2.avi", "2.mp3", "2.gif" };
    for (int i = 0; i < m_batch.jobs.GetSize(); ++i) {
        const JobRecord job = m_batch.Job(i);
        std::vector<std::string> names;
        for (const char* suffix : kSuffixes)
            names.push_back(job.outputTitle + suffix);
        for (const int profile : { 0, kFirstPspH264Profile }) {
            names.push_back(PspOutputFileName(job.fileNumber, profile) + ".MP4");
            names.push_back(PspOutputFileName(job.fileNumber, profile) + ".THM");
        }
        for (const std::string& name : names) {
            m_usersFiles[name] = "the user's own " + name;
            std::ofstream(m_output.File(name), std::ios::binary) << m_usersFiles[name];
        }
    }
}

void StopStorm::CheckUsersFiles(const std::string& when)
{
    for (const auto& [name, contents] : m_usersFiles) {
        std::ifstream file(m_output.File(name), std::ios::binary);
        const std::string now((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!file.is_open() || now != contents)
            Problem(when + ": the user's file " + name + " was changed or removed");
    }
}

void StopStorm::StopNow()
{
    if (m_stopPressed || !m_batch.driver.Converting())
        return;
    m_stopPressed = true;
    m_stoppedJob = m_batch.context.currentJob;
    m_stoppedStage = StageName(m_batch.Job(m_stoppedJob), m_batch.host.kind);
    m_batch.driver.OnStop();
}

// A VOB job is stopped at a random redraw of its intermediate step; any
// other at a random moment of the first job's likely run, from before the
// encoder starts to its last second.
void StopStorm::ArmStop(const Scenario& scenario)
{
    m_stopPressed = false;
    m_intermediateRedraws = 0;
    if (scenario.vob) {
        m_stopAtRedraw = std::uniform_int_distribution<int>(1, 3)(m_random);
        m_batch.view.onStatusRedraw = [this] {
            const JobRecord job = m_batch.Job(m_batch.context.currentJob);
            if (job.stage != JobStage::MakingIntermediate || ++m_intermediateRedraws >= m_stopAtRedraw)
                StopNow();
        };
        return;
    }
    m_batch.view.onStatusRedraw = {};
    const int delayMs = std::uniform_int_distribution<int>(0, 1000)(m_random);
    QTimer::singleShot(delayMs, [this] { StopNow(); });
}

void StopStorm::RunStop(const Scenario& scenario)
{
    m_current = scenario.name;
    m_batch.host.kind = scenario.kind;
    m_batch.options.picture = scenario.picture;
    m_batch.device.profilePosition = scenario.profile;
    // A stop that came after the whole batch had ended is no stop: tried
    // again, so every count is a stop that landed.
    for (int attempt = 0; attempt < 5; ++attempt) {
        Queue(scenario.vob ? m_vob : m_clip, scenario.vob ? m_vob : m_clip);
        ArmStop(scenario);
        m_batch.driver.OnStart();
        m_batch.view.onStatusRedraw = {};
        if (m_stopPressed)
            break;
        ++m_missed;
        ClearOutputFolder();
    }
    if (!m_stopPressed) {
        Problem("the batch always ended before the stop");
        return;
    }
    ++m_stopsByKind[scenario.name];
    ++m_stopsByStage[m_stoppedStage];
    CheckAfterStop();
    ClearOutputFolder();
    VerifyNextBatch(scenario);
    ClearOutputFolder();
}

void StopStorm::CheckNoProcessLeft(const std::string& when)
{
    const auto end = std::chrono::steady_clock::now() + kProcessGrace;
    std::vector<int> left = ProcessesWithEnvironmentEntry(m_marker);
    while (!left.empty() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        left = ProcessesWithEnvironmentEntry(m_marker);
    }
    for (const int pid : left)
        Problem(when + ": " + CommandNameOf(pid) + " (" + std::to_string(pid) + ") is still running");
}

bool HasHiddenFile(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with("."))
            return true;
    }
    return false;
}

void StopStorm::CheckOutputsPlay(const std::string& when, bool needOne)
{
    // The component's stop keeps or removes what ffmpeg wrote once the
    // event loop has reaped it; the window keeps running meanwhile.
    const auto end = std::chrono::steady_clock::now() + kProcessGrace;
    while (HasHiddenFile(m_output.Path()) && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    int outputs = 0;
    for (const auto& entry : fs::directory_iterator(m_output.Path())) {
        const std::string name = entry.path().filename().string();
        if (m_usersFiles.contains(name))
            continue;
        if (name.starts_with(".")) {
            Problem(when + ": a temporary file is left: " + name);
            continue;
        }
        ++outputs;
        if (!Plays(entry.path().string()))
            Problem(when + ": the output " + name + " does not play");
    }
    if (needOne && outputs == 0)
        Problem(when + ": no output");
}

void StopStorm::CheckAfterStop()
{
    const std::string when = "after a stop " + m_stoppedStage;
    CheckNoProcessLeft(when);
    if (m_batch.driver.Converting())
        Problem(when + ": the batch still runs");
    if (!m_batch.host.messages.empty())
        Problem(when + ": a completion message after STOP");
    const JobRecord job = m_batch.Job(m_stoppedJob);
    if (job.stateIcon != JobState::Stopped || job.failed)
        Problem(when + ": the job is not stopped (" + job.run.outcome + ")");
    // Side by side, a job started before the stopped one is stopped with it.
    const bool sideBySide = JobsAtOnce(m_batch.host.kind, m_filesAtOnce, UsableCores()) > 1;
    for (int i = 0; i < m_batch.jobs.GetSize(); ++i) {
        const JobRecord other = m_batch.Job(i);
        if (i > m_stoppedJob && other.stateIcon != JobState::Queued
            && !(sideBySide && other.stateIcon == JobState::Stopped))
            Problem(when + ": a job after the stopped one is neither queued nor stopped with it");
        if (sideBySide && (other.stateIcon == JobState::Converting || other.failed))
            Problem(when + ": job " + std::to_string(i) + " still converts or failed: " + other.run.outcome);
        if (!other.intermediatePath.empty() && fs::exists(other.intermediatePath))
            Problem(when + ": the intermediate file is left");
    }
    // A step file left by the stop is neither the user's nor playable, and
    // is found below.
    CheckOutputsPlay(when, false);
    CheckUsersFiles(when);
}

void StopStorm::VerifyNextBatch(const Scenario& scenario)
{
    m_batch.host.messages.clear();
    Queue(scenario.vob ? m_shortVob : m_short, m_short);
    m_batch.driver.OnStart();
    const std::string when = "the next batch";
    for (int i = 0; i < m_batch.jobs.GetSize(); ++i) {
        const JobRecord job = m_batch.Job(i);
        if (job.stateIcon != JobState::Done)
            Problem(when + ": job " + std::to_string(i) + " is not done: " + job.run.outcome);
    }
    if (m_batch.host.messages.size() != 1
        || m_batch.host.messages[0].text != "All tasks have been completed!")
        Problem(when + ": no plain completion message");
    CheckNoProcessLeft(when);
    CheckOutputsPlay(when, true);
    CheckUsersFiles(when);
    ++m_verified;
}

void StopStorm::ClearOutputFolder()
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_output.Path(), error))
        fs::remove_all(entry.path(), error);
    m_usersFiles.clear();
    m_batch.host.messages.clear();
}

int StopStorm::Report(int count) const
{
    int landed = 0;
    std::printf("stop storm: %d stops asked\n", count);
    for (const auto& [kind, stops] : m_stopsByKind) {
        std::printf("  %-18s %d\n", kind.c_str(), stops);
        landed += stops;
    }
    std::printf("by moment:\n");
    for (const auto& [stage, stops] : m_stopsByStage)
        std::printf("  %-18s %d\n", stage.c_str(), stops);
    std::printf("stops landed %d, tried again after the batch had ended first %d, next batches verified %d, "
                "faults %zu\n",
        landed, m_missed, m_verified, m_problems.size());
    return m_problems.empty() && landed == count ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    unsigned seed = 1;
    int count = kScenarioCount;
    int files = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seed")
            seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (option == "--count")
            count = std::atoi(argv[i + 1]);
        else if (option == "--files-at-once")
            files = std::atoi(argv[i + 1]);
    }
    StopStorm storm(seed, std::string(KELVARA_TOOL_DIR) + "/");
    storm.SetFilesAtOnce(files);
    if (!storm.MakeSources()) {
        std::fprintf(stderr, "cannot make the sources with ffmpeg\n");
        return 1;
    }
    // Every kind in turn, each round in a new random order, so a short run
    // still covers every kind once.
    std::mt19937 order(seed);
    std::vector<int> round;
    for (int stop = 0; stop < count; ++stop) {
        if (round.empty()) {
            for (int i = 0; i < kScenarioCount; ++i)
                round.push_back(i);
            std::shuffle(round.begin(), round.end(), order);
        }
        const Scenario& scenario = kScenarios[round.back()];
        round.pop_back();
        std::printf("stop %d: %s\n", stop + 1, scenario.name);
        std::fflush(stdout);
        storm.RunStop(scenario);
    }
    return storm.Report(count);
}
