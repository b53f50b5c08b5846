#include "DeviceConversions.h"

#include "commands/JobOutcome.h"
#include "commands/OutputNaming.h"
#include "commands/ProfileIni.h"
#include "engine/ConversionContext.h"
#include "engine/EncoderRunner.h"

#include <cstdio>

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
        m_substitution.now = CurrentLocalDateTime();
    }

    // Marks the job converting and reads the profile; false when the file
    // has no sections at all.
    bool Begin()
    {
        MarkJobConverting(m_context, m_jobIndex);
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
        return true;
    }

    std::string Command(std::size_t line) const
    {
        return SubstituteTemplate(m_lines.Line(line), m_context.jobs.GetAt(m_jobIndex), m_substitution);
    }

    // Runs a line through the encoder at `stage`. False when the run was
    // stopped (the job is then canceled) or failed (the job is then failed).
    bool EncoderRun(std::size_t line, JobStage stage)
    {
        m_runner.SetJobStage(stage, m_jobIndex);
        const RunOutcome outcome = m_runner.RunEncoder(Command(line), m_jobIndex);
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

    // An auxiliary step: a failure of its own is not reported, since the
    // output check at the end tells whether the conversion worked.
    void AuxiliaryRun(std::size_t line) { m_runner.RunHelperAndWait(Command(line)); }

    // Done when the file the device plays is there, failed otherwise.
    void Finish(const std::string& expectedOutput)
    {
        if (!FileHasContent(expectedOutput)) {
            MarkJobFailed(m_context, m_jobIndex, "The profile's commands wrote no " + expectedOutput + ".");
            return;
        }
        MarkJobDone(m_context, m_jobIndex, false);
    }

    std::string ExpectedOutput() const
    {
        OutTypeSelections selections;
        selections.pspProfilePosition = m_substitution.profileSelection;
        return m_context.outputFolder
            + OutTypeText(m_context.outputKind, m_context.jobs.GetAt(m_jobIndex), selections);
    }

    std::string Title() const { return m_context.jobs.GetAt(m_jobIndex).outputTitle; }
    bool Stopped() const { return m_context.stopFlag; }
    void SetStage(JobStage stage) { m_runner.SetJobStage(stage, m_jobIndex); }

private:
    ConversionContext& m_context;
    EncoderRunner& m_runner;
    int m_jobIndex;
    SubstitutionContext m_substitution;
    ProfileLines m_lines;
};

} // namespace

void ConvertPsp(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
{
    DeviceRun run(context, runner, choice, jobIndex);
    if (!run.Begin())
        return;
    run.AuxiliaryRun(1); // the thumbnail the device shows in its list
    if (!run.EncoderRun(2, JobStage::Encoding))
        return;
    run.Finish(run.ExpectedOutput());
}

void ConvertXboxOrPocketPc(
    ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
{
    DeviceRun run(context, runner, choice, jobIndex);
    if (!run.Begin())
        return;
    if (!run.EncoderRun(1, JobStage::Encoding))
        return;
    run.Finish(run.ExpectedOutput());
}

void ConvertPmp(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex)
{
    DeviceRun run(context, runner, choice, jobIndex);
    if (!run.Begin())
        return;
    if (!run.EncoderRun(1, JobStage::Encoding)) {
        // A stopped encoder moves its finished first-step files into place
        // when it ends, after the stop removed what was there.
        if (run.Stopped()) {
            std::remove(PmpFirstStepVideoPath(context.outputFolder, run.Title()).c_str());
            std::remove(PmpFirstStepAudioPath(context.outputFolder, run.Title()).c_str());
        }
        return;
    }
    run.SetStage(JobStage::AuxiliaryRuns);
    run.AuxiliaryRun(2);
    if (run.Stopped()) {
        run.SetStage(JobStage::Canceled);
        return;
    }
    const std::string title = run.Title();
    run.AuxiliaryRun(3);
    std::remove(PmpFirstStepVideoPath(context.outputFolder, title).c_str());
    run.AuxiliaryRun(4);
    std::remove(PmpFirstStepAudioPath(context.outputFolder, title).c_str());
    run.Finish(PmpFinalPath(context.outputFolder, title));
}

} // namespace kelvara
