#include "EncoderConversions.h"

#include "conversions/BuiltInCommands.h"
#include "conversions/JobOutcome.h"
#include "conversions/SourceGuard.h"
#include "files/RemoveIfPresent.h"
#include "naming/OutputNaming.h"
#include "options/OptionSelections.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace kelvara {

namespace {

// The job as its command is built: its title numbered past the files in the
// output folder and the names other jobs of the batch hold ("song" becomes
// "song2" when song.mp3 is there), and that name held for it.
JobRecord WithFreeTitle(ConversionContext& context, JobRecord job, std::optional<std::string_view> extension)
{
    if (!extension)
        return job; // an unknown type has no name; the encoder refuses to run
    const std::string basePath = context.outputFolder + job.outputTitle;
    const std::string path
        = NumberedOutputPath(basePath, *extension, context.reservedOutputs, job.partialOutputs);
    context.reservedOutputs.insert(path);
    job.outputTitle = path.substr(
        context.outputFolder.size(), path.size() - context.outputFolder.size() - extension->size());
    return job;
}

// A command that would write over the job's source fails the job instead.
std::optional<PreparedEncoderJob> Checked(
    ConversionContext& context, int jobIndex, PreparedEncoderJob prepared)
{
    const std::string source = context.jobs.GetAt(jobIndex).sourcePath;
    if (WouldOverwriteSource(prepared.expectedOutput, source)
        || CommandWouldOverwriteSource(prepared.command, source, context.toolDirectory)) {
        MarkJobFailed(context, jobIndex, kOverwritesSourceReason);
        return std::nullopt;
    }
    context.UpdateJob(
        jobIndex, [](JobRecord& job) { job.stage = JobStage::Encoding; }, { JobColumn::Status });
    return prepared;
}

} // namespace

std::optional<PreparedEncoderJob> PrepareImage(
    ConversionContext& context, const OptionSelections& options, int jobIndex)
{
    if (!MarkJobConverting(context, jobIndex))
        return std::nullopt;
    const JobRecord job = WithFreeTitle(
        context, context.jobs.GetAt(jobIndex), PictureExtension(options.PictureTypePosition()));
    return Checked(context, jobIndex,
        { BuildImageCommand(job, context.outputFolder, options),
            ImageOutputPath(context.outputFolder, job.outputTitle, options.PictureTypePosition()) });
}

std::optional<PreparedEncoderJob> PrepareAudio(
    ConversionContext& context, const OptionSelections& options, int jobIndex)
{
    if (!MarkJobConverting(context, jobIndex))
        return std::nullopt;
    const int audioKind = context.outputKind.kind;
    const JobRecord job = WithFreeTitle(context, context.jobs.GetAt(jobIndex), AudioExtension(audioKind));
    return Checked(context, jobIndex,
        { BuildAudioCommand(job, context.outputFolder, audioKind, options),
            AudioOutputPath(context.outputFolder, job.outputTitle, audioKind) });
}

void FinishEncoderJob(
    ConversionContext& context, int jobIndex, const PreparedEncoderJob& prepared, const RunOutcome& outcome)
{
    if (outcome.stopped) {
        // The stop has marked the job; what the encoder finished plays, and
        // the next run takes its name again.
        RememberPartialOutputs(context, jobIndex, { prepared.expectedOutput });
        return;
    }
    // The window was serviced during the run: the job may be gone, and then
    // its default record names no intermediate file.
    RemoveIfPresent(context.jobs.GetAt(jobIndex).intermediatePath);
    const std::string failure = FailureOf(outcome, prepared.expectedOutput);
    if (!failure.empty())
        MarkJobFailed(context, jobIndex, failure);
    else
        MarkJobDone(context, jobIndex, DoneStatus::Finished, prepared.expectedOutput);
}

namespace {

// The sequence both built-in conversions share when a batch converts one
// file at a time.
void RunBuiltInConversion(ConversionContext& context, EncoderRunner& runner, int jobIndex,
    const std::optional<PreparedEncoderJob>& prepared)
{
    if (!prepared)
        return;
    RunOutcome outcome = runner.RunEncoder(prepared->command, jobIndex);
    if (!context.stopFlag)
        runner.AskEncoderToQuit();
    // A STOP while the window was serviced stops the job, whatever the run says.
    outcome.stopped = outcome.stopped || context.stopFlag;
    FinishEncoderJob(context, jobIndex, *prepared, outcome);
}

} // namespace

void ConvertImage(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex)
{
    RunBuiltInConversion(context, runner, jobIndex, PrepareImage(context, options, jobIndex));
}

void ConvertAudio(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex)
{
    RunBuiltInConversion(context, runner, jobIndex, PrepareAudio(context, options, jobIndex));
}

} // namespace kelvara
