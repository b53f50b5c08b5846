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

// The sequence both built-in conversions share.
void RunBuiltInConversion(ConversionContext& context, EncoderRunner& runner, int jobIndex,
    const EncoderCommand& command, const std::string& expectedOutput)
{
    const std::string source = context.jobs.GetAt(jobIndex).sourcePath;
    if (WouldOverwriteSource(expectedOutput, source)
        || CommandWouldOverwriteSource(command, source, context.toolDirectory)) {
        MarkJobFailed(context, jobIndex, kOverwritesSourceReason);
        return;
    }
    runner.SetJobStage(JobStage::Encoding, jobIndex);
    const RunOutcome outcome = runner.RunEncoder(command, jobIndex);
    if (context.stopFlag) {
        // The stop procedure has marked the job and removed its files; what
        // the encoder finished plays, and the next run takes its name again.
        RememberPartialOutputs(context, jobIndex, { expectedOutput });
        return;
    }

    // The window was serviced during the run: the job may be gone, and then
    // its default record names no intermediate file.
    RemoveIfPresent(context.jobs.GetAt(jobIndex).intermediatePath);
    runner.AskEncoderToQuit();

    const std::string failure = FailureOf(outcome, expectedOutput);
    if (!failure.empty())
        MarkJobFailed(context, jobIndex, failure);
    else
        MarkJobDone(context, jobIndex, DoneStatus::Finished, expectedOutput);
}

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

} // namespace

void ConvertImage(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex)
{
    if (!MarkJobConverting(context, jobIndex))
        return;
    const JobRecord job = WithFreeTitle(
        context, context.jobs.GetAt(jobIndex), PictureExtension(options.PictureTypePosition()));
    const EncoderCommand command = BuildImageCommand(job, context.outputFolder, options);
    const std::string output
        = ImageOutputPath(context.outputFolder, job.outputTitle, options.PictureTypePosition());
    RunBuiltInConversion(context, runner, jobIndex, command, output);
}

void ConvertAudio(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex)
{
    if (!MarkJobConverting(context, jobIndex))
        return;
    const int audioKind = context.outputKind.kind;
    const JobRecord job = WithFreeTitle(context, context.jobs.GetAt(jobIndex), AudioExtension(audioKind));
    const EncoderCommand command = BuildAudioCommand(job, context.outputFolder, audioKind, options);
    const std::string output = AudioOutputPath(context.outputFolder, job.outputTitle, audioKind);
    RunBuiltInConversion(context, runner, jobIndex, command, output);
}

} // namespace kelvara
