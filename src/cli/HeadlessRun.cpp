#include "cli/HeadlessRun.h"

#include "batch/BatchDriver.h"
#include "batch/CommandConverters.h"
#include "cli/ConvertArguments.h"
#include "cli/ConvertUsage.h"
#include "cli/DeviceProfiles.h"
#include "cli/HeadlessHost.h"
#include "cli/KindListing.h"
#include "cli/ProgressPrinter.h"
#include "cli/QuietDesktop.h"
#include "cli/RequestOptions.h"
#include "conversions/VideoEditConversions.h"
#include "jobs/JobCreation.h"
#include "jobs/RandomNumbers.h"
#include "naming/OutputNaming.h"
#include "options/DeviceProfilePanel.h"
#include "options/MpegPresets.h"
#include "options/OptionNumbers.h"
#include "options/ProfileKind.h"
#include "platform/ChildrenLeft.h"
#include "platform/EventPump.h"
#include "platform/SettingsStore.h"
#include "platform/TerminationSignals.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"
#include "videoedit/CVideoEdit.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace kelvara::cli {
namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailedStatus = 1;
// How long the run waits, after a stop, for the programs it started to go.
constexpr std::chrono::seconds kChildrenLimit { 10 };

// The window's settings keys: the tool directory and the output folder.
constexpr const char* kToolDirKey = "SysDir";
constexpr const char* kOutputDirKey = "Dir";

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// What the window starts with: the settings, else the program's "tools/"
// folder and the home folder.
struct Folders {
    std::string tools;
    std::string output;
};

Folders WindowFolders()
{
    const platform::QSettingsStore settings;
    const QString programDir = QCoreApplication::applicationDirPath() + QStringLiteral("/tools/");
    return { WithSlash(settings.Read(QString::fromLatin1(kToolDirKey)).value_or(programDir).toStdString()),
        WithSlash(
            settings.Read(QString::fromLatin1(kOutputDirKey)).value_or(QDir::homePath()).toStdString()) };
}

// A path as the user's shell meant it: relative to the current folder.
std::string Absolute(const std::string& path)
{
    if (path.starts_with('/'))
        return path;
    std::error_code failure;
    const std::filesystem::path here = std::filesystem::current_path(failure);
    return failure ? path : (here / path).string();
}

bool ReadableFile(const std::string& path)
{
    std::error_code failure;
    return std::filesystem::is_regular_file(path, failure) && ::access(path.c_str(), R_OK) == 0;
}

int UsageError(const std::string& error)
{
    std::fprintf(stderr, "kelvara --convert: %s\nTry 'kelvara --convert --help'.\n", error.c_str());
    return kUsageStatus;
}

// The job as the panels would leave it once the request's choices are made:
// the trim, and a disc type's own size and lists.
void ApplyRequest(JobRecord& job, const ConvertRequest& request, const RequestOptions& options)
{
    if (request.trim) {
        job.trimStartMs = request.trim->startMs;
        job.trimEndMs
            = job.durationMs > 0.0 ? std::min(request.trim->endMs, job.durationMs) : request.trim->endMs;
    }
    if (request.kind.Is(PcKind::Mpeg)) {
        job.mpegType = request.mpegType;
        job.mpegFrameRate = LeadingDouble(options.MpegFrameRateText());
        job.mpegAudioBitrate = LeadingInt(options.MpegAudioBitrateText());
        job.mpegAudioRate = LeadingInt(options.MpegSampleRateText());
        if (const std::optional<MpegPreset> preset = MpegPresetFor(request.mpegType);
            preset && preset->size) {
            job.outputWidth = preset->size->width;
            job.outputHeight = preset->size->height;
        }
    }
}

// The batch of the window, put together as its dialog does.
class HeadlessBatch {
public:
    HeadlessBatch(const ConvertRequest& request, const Folders& folders)
        : m_request(request)
        , m_printer(m_jobs, request.kind, stderr, ::isatty(STDERR_FILENO) == 1)
        , m_options(request)
        , m_host(request.outputFolder.empty() ? folders.output : Absolute(request.outputFolder), request.kind,
              stderr)
    {
        m_context.toolDirectory = folders.tools;
        QObject::connect(
            &m_component, &CVideoEdit::ConvertComplete, [this] { m_conversions.OnVideoEditComplete(); });
        QObject::connect(&m_component, &CVideoEdit::ConvertProgress,
            [this](double position, double total) { m_conversions.OnVideoEditProgress(position, total); });
        const AviCodecDefaults codecs
            = DefaultAviCodecs(m_component.VideoCodecs(), m_component.AudioCodecs());
        m_options.SetAviCodecs(codecs.video, codecs.audio);
        m_driver.SetFilesAtOnce(request.filesAtOnce);
    }

    // The device panel's choice; false with `problem` set when the profile
    // cannot be chosen.
    bool ChooseDevice(std::string& problem)
    {
        const std::optional<DeviceKind> device = ProfileKindOf(m_request.kind);
        if (!device)
            return true;
        const int position
            = m_request.profile.value_or(kDeviceStartProfiles[static_cast<std::size_t>(*device)]);
        const std::optional<DeviceChoice> choice
            = ChooseProfile(m_context.toolDirectory, *device, position, problem);
        if (choice)
            m_device = *choice;
        return choice.has_value();
    }

    // Adds a job per readable file; returns how many were refused.
    int AddFiles()
    {
        int refused = 0;
        const AviCodecDefaults codecs { m_options.AviVideoCodecPosition(),
            m_options.AviAudioCodecPosition() };
        for (const std::string& file : m_request.files) {
            const std::string path = Absolute(file);
            if (!ReadableFile(path)) {
                std::fprintf(stderr, "%s: not a readable file, skipped\n", file.c_str());
                ++refused;
                continue;
            }
            JobRecord job = CreateJobRecord(path, m_component, m_numbers, m_jobs, codecs);
            ApplyRequest(job, m_request, m_options);
            m_jobs.Add(job);
        }
        return refused;
    }

    void Run() { m_driver.OnStart(); }
    void Stop()
    {
        if (m_driver.Converting())
            m_driver.OnStop();
    }
    bool Converting() const { return m_driver.Converting(); }
    int JobCount() const { return m_jobs.GetSize(); }
    bool Started() const { return m_driver.LastSummary().attempted > 0 || m_host.ErrorsShown() == 0; }
    BatchCount Finish(int skipped) { return m_printer.Finish(skipped); }

private:
    const ConvertRequest& m_request;
    JobList m_jobs;
    ProgressPrinter m_printer;
    ConversionContext m_context { m_jobs, m_printer };
    EncoderRunner m_runner { m_context };
    RequestOptions m_options;
    CVideoEdit m_component;
    RandomNumbers m_numbers;
    VideoEditConversions m_conversions { m_context, m_component, m_options, m_numbers };
    DeviceChoice m_device;
    CommandConverters m_converters { m_context, m_runner, m_conversions, m_options,
        [this] { return m_device; } };
    HeadlessHost m_host;
    SilentSound m_sound;
    NoPowerOff m_shutdown;
    NoSleepLock m_sleep;
    BatchDriver m_driver { m_context, m_host, m_converters, m_sound, m_shutdown, m_sleep };
};

// After a stop the programs the batch started may take a moment to go.
void WaitForChildren()
{
    const auto deadline = std::chrono::steady_clock::now() + kChildrenLimit;
    while (platform::AnyChildProcessLeft() && std::chrono::steady_clock::now() < deadline)
        platform::WaitForActivity({}, platform::kWaitSliceMs);
}

int RunBatch(const ConvertRequest& request)
{
    const Folders folders = WindowFolders();
    if (request.showList) {
        std::printf("%s", KindListing(folders.tools).c_str());
        return 0;
    }
    HeadlessBatch batch(request, folders);
    std::string problem;
    if (!batch.ChooseDevice(problem)) {
        if (request.profile)
            return UsageError(problem);
        std::fprintf(stderr, "kelvara: %s\n", problem.c_str());
        return kFailedStatus;
    }
    int signalNumber = 0;
    const platform::TerminationSignals watcher([&](int number) {
        signalNumber = number;
        batch.Stop();
    });
    const int refused = batch.AddFiles();
    platform::PumpMessages();
    if (signalNumber == 0 && batch.JobCount() > 0)
        batch.Run();
    WaitForChildren();
    // Intermediate files live only as long as the program that made them.
    RemoveIntermediateFilesOfThisProcess(IntermediateFolder());
    if (!batch.Started())
        return kFailedStatus;
    const BatchCount count = batch.Finish(refused);
    if (signalNumber != 0)
        return 128 + signalNumber;
    return count.failed + count.notConverted > 0 ? kFailedStatus : 0;
}

} // namespace

int RunConvert(int argc, char* argv[])
{
    const std::vector<std::string> arguments(argv + std::min(argc, 2), argv + argc);
    const ParsedArguments parsed = ParseConvertArguments(arguments);
    if (!parsed.request)
        return UsageError(parsed.usageError);
    if (parsed.request->showHelp) {
        std::printf("%s", kConvertUsage);
        return 0;
    }
    const QCoreApplication application(argc, argv);
    // The encoder's and the component's numbers are C text.
    std::setlocale(LC_NUMERIC, "C");
    return RunBatch(*parsed.request);
}

} // namespace kelvara::cli
