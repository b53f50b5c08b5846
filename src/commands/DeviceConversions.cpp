#include "DeviceConversions.h"

#include "commands/JobOutcome.h"
#include "commands/OutputNaming.h"
#include "commands/ProfileIni.h"
#include "commands/SourceGuard.h"
#include "commands/WrittenFiles.h"
#include "engine/ConversionContext.h"
#include "engine/EncoderRunner.h"

#include <cstdio>
#include <optional>

namespace kelvara {

namespace {

// One device conversion: the profile's lines, filled in on demand.
class DeviceRun {
public:
    DeviceRun(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
        : m_context(context)
        , m_runner(runner)
        , m_jobIndex(jobIndex)
    {
        m_substitution.outputFolder = context.outputFolder;
        m_substitution.device = static_cast<DeviceKind>(context.outputKind.kind);
        m_substitution.profileSelection = choice.profilePosition;
        m_substitution.selections = choice.selections;
        m_clock = choice.clock;
    }

    // Marks the job converting and reads the profile; false when the job is
    // gone, the file has no sections at all, or one of the `steps` would
    // write over the job's source (the job is then failed before any step
    // has run, so no thumbnail or first-step file is left either).
    bool Begin(std::initializer_list<std::size_t> steps)
    {
        if (!MarkJobConverting(m_context, m_jobIndex))
            return false;
        const std::size_t device = static_cast<std::size_t>(m_context.outputKind.kind);
        if (device >= kDeviceProfileFiles.size())
            return false;
        std::string file(kDeviceProfileFiles[device]);
        if (file.starts_with("./"))
            file.erase(0, 2);
        ProfileIni ini;
        ini.Open(m_context.toolDirectory + file);
        std::vector<std::string> names;
        if (ini.GetSectionNames(names) <= 0)
            return false;
        m_lines = ReadProfileAt(ini, m_substitution.profileSelection);
        // Checked before any step runs, with the clock not read yet: each
        // step reads it as it runs, and is checked again then.
        for (const std::size_t step : steps) {
            const JobRecord job = m_context.jobs.GetAt(m_jobIndex);
            if (RefusedForSource(SubstituteTemplate(m_lines.Line(step), job, m_substitution)))
                return false;
        }
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
        const RunOutcome outcome = m_runner.RunEncoder(*command, m_jobIndex);
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
    // "$OUTPUT_FILE" into the output folder, whatever the extension or
    // suffix the profile gave it (the name in the Out Type column is only
    // what the program expects). A run that wrote nothing there is failed.
    void EncoderRunAndFinish(std::size_t line)
    {
        const std::string outputFile = OutputFileName(m_context.jobs.GetAt(m_jobIndex), m_substitution);
        const WrittenFiles files(m_context.outputFolder, outputFile);
        if (!EncoderRun(line, JobStage::Encoding))
            return;
        const std::vector<std::string> written = files.Written();
        if (written.empty()) {
            MarkJobFailed(m_context, m_jobIndex,
                "The profile's commands wrote no file named " + outputFile + " into " + m_context.outputFolder
                    + ".");
            return;
        }
        MarkJobDone(m_context, m_jobIndex, DoneStatus::Unchanged, written.front());
    }

    // An auxiliary step: a failure of its own is not reported, since the
    // output check at the end tells whether the conversion worked.
    void AuxiliaryRun(std::size_t line)
    {
        const std::optional<std::string> command = Command(line);
        if (command && !RefusedForSource(*command))
            m_runner.RunHelperAndWait(*command);
    }

    // Done when the file the device plays is there, failed otherwise.
    void Finish(const std::string& expectedOutput)
    {
        if (!FileHasContent(expectedOutput)) {
            MarkJobFailed(m_context, m_jobIndex, "The profile's commands wrote no " + expectedOutput + ".");
            return;
        }
        MarkJobDone(m_context, m_jobIndex, DoneStatus::Unchanged, expectedOutput);
    }

    std::string Title() const { return m_context.jobs.GetAt(m_jobIndex).outputTitle; }
    bool Stopped() const { return m_context.stopFlag; }
    void SetStage(JobStage stage) { m_runner.SetJobStage(stage, m_jobIndex); }

private:
    ConversionContext& m_context;
    EncoderRunner& m_runner;
    int m_jobIndex;
    SubstitutionContext m_substitution;
    std::function<LocalDateTime()> m_clock;
    ProfileLines m_lines;
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

void ConvertPmp(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
{
    DeviceRun run(context, runner, choice, jobIndex);
    if (!run.Begin({ 1, 2, 3, 4 }))
        return;
    // Taken now: the first step's files carry this name even if the job
    // leaves the list while the window is serviced.
    const std::string title = run.Title();
    if (!run.EncoderRun(1, JobStage::Encoding)) {
        // A stopped encoder moves its finished first-step files into place
        // when it ends, after the stop removed what was there.
        if (run.Stopped()) {
            std::remove(PmpFirstStepVideoPath(context.outputFolder, title).c_str());
            std::remove(PmpFirstStepAudioPath(context.outputFolder, title).c_str());
        }
        return;
    }
    // A STOP may come during any auxiliary step: the job is then canceled,
    // not judged by an output the stop kept from being written.
    const auto stoppedAfter = [&](std::size_t line) {
        run.AuxiliaryRun(line);
        if (!run.Stopped())
            return false;
        std::remove(PmpFirstStepVideoPath(context.outputFolder, title).c_str());
        std::remove(PmpFirstStepAudioPath(context.outputFolder, title).c_str());
        run.SetStage(JobStage::Canceled);
        return true;
    };
    run.SetStage(JobStage::AuxiliaryRuns);
    if (stoppedAfter(2) || stoppedAfter(3))
        return;
    std::remove(PmpFirstStepVideoPath(context.outputFolder, title).c_str());
    if (stoppedAfter(4))
        return;
    std::remove(PmpFirstStepAudioPath(context.outputFolder, title).c_str());
    run.Finish(PmpFinalPath(context.outputFolder, title));
}

} // namespace kelvara
