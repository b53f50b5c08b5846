#include "DeviceConversions.h"

#include "conversions/HardwareFallback.h"
#include "conversions/JobOutcome.h"
#include "conversions/SourceGuard.h"
#include "conversions/WrittenFiles.h"
#include "files/PrivateFolder.h"
#include "files/RemoveIfPresent.h"
#include "naming/OutputNaming.h"
#include "options/ProfileIni.h"
#include "options/ProfileKind.h"
#include "process/CommandLine.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

namespace kelvara {

namespace {

// How many names are tried before the first one is taken all the same: a
// folder holding that many outputs of one title is not a case to serve.
constexpr int kNameAttempts = 100000;

// One device conversion: the profile's lines, filled in on demand. Every
// step writes into a folder of the conversion's own inside the output
// folder; what the profile leaves there moves into the output folder at the
// end, under names that meet no existing file. So no step file can write
// over or remove a file of the user's, whatever the profile names it.
class DeviceRun {
public:
    DeviceRun(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
        : m_context(context)
        , m_runner(runner)
        , m_jobIndex(jobIndex)
    {
        m_device = ProfileKindOf(context.outputKind);
        m_substitution.device = m_device.value_or(DeviceKind::Psp);
        m_substitution.profileSelection = choice.profilePosition;
        m_substitution.selections = choice.selections;
        m_clock = choice.clock;
        m_userLines = choice.userLines;
        m_graphicsCard = choice.graphicsCard;
    }

    // Marks the job converting, reads the profile and makes the private
    // folder; false when the job is gone, the file has no sections at all,
    // the folder cannot be made, or one of the `steps` would write over the
    // job's source (the job is then failed before any step has run).
    bool Begin(std::initializer_list<std::size_t> steps)
    {
        if (!MarkJobConverting(m_context, m_jobIndex))
            return false;
        if (!m_device)
            return false;
        if (m_userLines)
            m_lines = *m_userLines;
        else if (!ReadShippedProfile())
            return false;
        PrivateFolder::Created created = PrivateFolder::Create(m_context.outputFolder);
        if (!created.folder) {
            MarkJobFailed(m_context, m_jobIndex, created.error);
            return false;
        }
        m_folder = std::move(created.folder);
        m_substitution.outputFolder = m_folder->Path();
        ChooseOutputFile(steps);
        // Checked before any step runs, with the clock not read yet: each
        // step reads it as it runs, and is checked again then.
        for (const std::size_t step : steps) {
            const JobRecord job = m_context.jobs.GetAt(m_jobIndex);
            if (RefusedForSource(SubstituteTemplate(m_lines.Line(step), job, m_substitution)))
                return false;
        }
        return true;
    }

    // The lines of the chosen profile of the kind's shipped file; false when
    // the file cannot be read or has no sections at all.
    bool ReadShippedProfile()
    {
        std::string file(kDeviceProfileFiles[static_cast<std::size_t>(*m_device)]);
        if (file.starts_with("./"))
            file.erase(0, 2);
        ProfileIni ini;
        ini.Open(m_context.toolDirectory + file);
        if (!ini.Refusal().empty()) {
            MarkJobFailed(m_context, m_jobIndex, ini.Refusal());
            return false;
        }
        std::vector<std::string> names;
        if (ini.GetSectionNames(names) <= 0)
            return false;
        m_lines = ReadProfileAt(ini, m_substitution.profileSelection);
        return true;
    }

    // Fails the job when `command` would write over its source.
    bool RefusedForSource(const std::string& command)
    {
        const std::string source = m_context.jobs.GetAt(m_jobIndex).sourcePath;
        if (!CommandWouldOverwriteSource(command, source, m_context.toolDirectory))
            return false;
        MarkJobFailed(m_context, m_jobIndex, kOverwritesSourceReason);
        return true;
    }

    // The line filled in for the job as it is now, at the time the step
    // runs; nothing when the job is no longer in the list (the window was
    // serviced during the previous step).
    std::optional<std::string> Command(std::size_t line)
    {
        if (!m_context.jobs.Contains(m_jobIndex))
            return std::nullopt;
        m_substitution.now = m_clock();
        return SubstituteTemplate(m_lines.Line(line), m_context.jobs.GetAt(m_jobIndex), m_substitution);
    }

    // Runs a line through the encoder at `stage`. False when the run was
    // stopped (the job is then canceled) or failed (the job is then failed).
    bool EncoderRun(std::size_t line, JobStage stage)
    {
        // Filled in again as the step runs ("$TIMESTAMP" moves on), so
        // checked again.
        const std::optional<std::string> command = Command(line);
        if (!command || RefusedForSource(*command))
            return false;
        m_runner.SetJobStage(stage, m_jobIndex);
        const RunOutcome outcome
            = RunPreferringGraphicsCard(m_runner, m_context, *command, m_jobIndex, m_graphicsCard);
        if (m_context.stopFlag) {
            m_runner.SetJobStage(JobStage::Canceled, m_jobIndex);
            return false;
        }
        m_runner.AskEncoderToQuit();
        const std::string failure = FailureOf(outcome, {});
        if (!failure.empty()) {
            MarkJobFailed(m_context, m_jobIndex, failure);
            return false;
        }
        return true;
    }

    // The encoder step of a profile whose file names are its own: the step
    // that succeeded is done when it wrote any file named with
    // "$OUTPUT_FILE", whatever the extension or suffix the profile gave it
    // (the name in the Out Type column is only what the program expects). A
    // run that wrote nothing is failed. A stopped run keeps the playable
    // part the encoder finished.
    void EncoderRunAndFinish(std::size_t line)
    {
        const std::string outputFile = OutputFileName(m_context.jobs.GetAt(m_jobIndex), m_substitution);
        const WrittenFiles files(m_folder->Path(), outputFile);
        if (!EncoderRun(line, JobStage::Encoding)) {
            if (Stopped())
                KeepStoppedOutputs();
            return;
        }
        const std::vector<std::string> written = files.Written();
        if (written.empty()) {
            MarkJobFailed(m_context, m_jobIndex,
                "The profile's commands wrote no file named " + outputFile + " into " + m_context.outputFolder
                    + ".");
            return;
        }
        const std::map<std::string, std::string> moved = MoveOutputsIntoPlace();
        const auto output = moved.find(written.front());
        MarkJobDone(
            m_context, m_jobIndex, DoneStatus::Unchanged, output == moved.end() ? "" : output->second);
    }

    // An auxiliary step: a failure of its own does not fail the job, since
    // the output check at the end tells whether the conversion worked; its
    // reason goes into the run's record, where it may explain that check.
    void AuxiliaryRun(std::size_t line)
    {
        const std::optional<std::string> command = Command(line);
        if (command && !RefusedForSource(*command))
            KeepRunOutput(m_context, m_jobIndex, m_runner.RunHelperAndWait(*command).reason);
    }

    // Done when the file the device plays is there, failed otherwise.
    void Finish(const std::string& expectedOutput)
    {
        if (!FileHasContent(expectedOutput)) {
            MarkJobFailed(
                m_context, m_jobIndex, "The profile's commands wrote no " + ShownPath(expectedOutput) + ".");
            return;
        }
        const std::map<std::string, std::string> moved = MoveOutputsIntoPlace();
        const auto output = moved.find(expectedOutput);
        MarkJobDone(
            m_context, m_jobIndex, DoneStatus::Unchanged, output == moved.end() ? "" : output->second);
    }

    std::string StepFolder() const { return m_folder->Path(); }
    std::string OutputFile() const { return m_substitution.outputFile.value_or(std::string()); }
    bool Stopped() const { return m_context.stopFlag; }
    void SetStage(JobStage stage) { m_runner.SetJobStage(stage, m_jobIndex); }

private:
    // "$OUTPUT_FILE" for this job: the PSP's number or the title, taken on
    // (the next number, or "clip2", "clip3", ...) until none of the files
    // the `steps` would leave in the output folder exists there or is held
    // by another job of the batch.
    void ChooseOutputFile(std::initializer_list<std::size_t> steps)
    {
        const JobRecord job = m_context.jobs.GetAt(m_jobIndex);
        const bool psp = m_substitution.device == DeviceKind::Psp;
        int number = job.fileNumber;
        // The clock is not read here: each step reads it as it runs.
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            m_substitution.outputFile = psp ? PspOutputFileName(number, m_substitution.profileSelection)
                : attempt == 0              ? job.outputTitle
                                            : job.outputTitle + std::to_string(attempt + 1);
            const std::vector<std::string> names = NamesWritten(job, steps);
            if (std::none_of(names.begin(), names.end(), [this, &job](const std::string& name) {
                    const std::string path = m_context.outputFolder + name;
                    return m_context.reservedOutputs.contains(path)
                        || (NameIsTaken(path) && !job.IsOwnPartial(path));
                })) {
                for (const std::string& name : names)
                    m_context.reservedOutputs.insert(m_context.outputFolder + name);
                return;
            }
            number = NextPspFileNumber(number);
        }
    }

    // The names of the files directly in the private folder that the
    // `steps`, filled in as they stand now, name; the PMP's first-step files
    // are removed before the end and never reach the output folder.
    std::vector<std::string> NamesWritten(
        const JobRecord& job, std::initializer_list<std::size_t> steps) const
    {
        std::vector<std::string> names;
        const std::string& folder = m_folder->Path();
        const std::string outputFile = OutputFile();
        const bool pmp = m_substitution.device == DeviceKind::Pmp;
        const auto stepFile = [&](const std::string& path) {
            return pmp
                && (path == PmpFirstStepVideoPath(folder, outputFile)
                    || path == PmpFirstStepAudioPath(folder, outputFile));
        };
        for (const std::size_t step : steps) {
            const auto arguments
                = SplitCommandLine(SubstituteTemplate(m_lines.Line(step), job, m_substitution));
            for (const std::string& argument : arguments.value_or(std::vector<std::string>())) {
                const std::string name = argument.starts_with(folder) && !stepFile(argument)
                    ? argument.substr(folder.size())
                    : "";
                if (!name.empty() && name.find('/') == std::string::npos)
                    names.push_back(name);
            }
        }
        return names;
    }

    std::map<std::string, std::string> MoveOutputsIntoPlace()
    {
        const JobRecord job = m_context.jobs.GetAt(m_jobIndex);
        return m_folder->MoveFilesInto(m_context.outputFolder, job.partialOutputs);
    }

    // A stopped run keeps what the encoder finished, as the job's own
    // partial files that its next run writes over.
    void KeepStoppedOutputs()
    {
        std::vector<std::string> kept;
        for (const auto& [from, to] : MoveOutputsIntoPlace())
            kept.push_back(to);
        RememberPartialOutputs(m_context, m_jobIndex, kept);
    }

    // A path in the private folder as the user knows it: in the output folder.
    std::string ShownPath(const std::string& path) const
    {
        const std::string& folder = m_folder->Path();
        return path.starts_with(folder) ? m_context.outputFolder + path.substr(folder.size()) : path;
    }

    ConversionContext& m_context;
    EncoderRunner& m_runner;
    int m_jobIndex;
    std::optional<DeviceKind> m_device;
    SubstitutionContext m_substitution;
    std::function<LocalDateTime()> m_clock;
    std::vector<UsableEncoder> m_graphicsCard;
    ProfileLines m_lines;
    std::optional<ProfileLines> m_userLines;
    // Removed with everything still in it when the conversion ends.
    std::optional<PrivateFolder> m_folder;
};

} // namespace

void ConvertPsp(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
{
    DeviceRun run(context, runner, choice, jobIndex);
    if (!run.Begin({ 1, 2 }))
        return;
    run.AuxiliaryRun(1); // the thumbnail the device shows in its list
    run.EncoderRunAndFinish(2);
}

void ConvertXboxOrPocketPc(
    ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
{
    DeviceRun run(context, runner, choice, jobIndex);
    if (!run.Begin({ 1 }))
        return;
    run.EncoderRunAndFinish(1);
}

// The first step writes video and audio apart, the later steps mux and check
// them. A STOP at any step leaves nothing: the first-step files are no
// playable result, and the private folder goes with everything in it.
void ConvertPmp(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
{
    DeviceRun run(context, runner, choice, jobIndex);
    if (!run.Begin({ 1, 2, 3, 4 }))
        return;
    // Taken now: the first step's files carry this name even if the job
    // leaves the list while the window is serviced.
    const std::string folder = run.StepFolder();
    const std::string title = run.OutputFile();
    if (!run.EncoderRun(1, JobStage::Encoding))
        return;
    // A STOP may come during any auxiliary step: the job is then canceled,
    // not judged by an output the stop kept from being written.
    const auto stoppedAfter = [&](std::size_t line) {
        run.AuxiliaryRun(line);
        if (!run.Stopped())
            return false;
        run.SetStage(JobStage::Canceled);
        return true;
    };
    run.SetStage(JobStage::AuxiliaryRuns);
    if (stoppedAfter(2) || stoppedAfter(3))
        return;
    RemoveIfPresent(PmpFirstStepVideoPath(folder, title));
    if (stoppedAfter(4))
        return;
    RemoveIfPresent(PmpFirstStepAudioPath(folder, title));
    run.Finish(PmpFinalPath(folder, title));
}

} // namespace kelvara
