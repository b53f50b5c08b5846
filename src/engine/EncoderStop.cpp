#include "EncoderStop.h"

#include "commands/OutputNaming.h"
#include "engine/ConversionContext.h"
#include "engine/EncoderRunner.h"

#include <cstdio>

namespace kelvara {

namespace {

void RemoveFile(const std::string& path)
{
    if (!path.empty())
        std::remove(path.c_str());
}

void StopPmpJob(const ConversionContext& context, EncoderRunner& runner, const JobRecord& job)
{
    RemoveFile(PmpFirstStepAudioPath(context.outputFolder, job.outputTitle));
    RemoveFile(PmpFirstStepVideoPath(context.outputFolder, job.outputTitle));
    if (job.stage == JobStage::Encoding)
        runner.AskEncoderToQuit();
    else if (job.stage == JobStage::AuxiliaryRuns)
        RemoveFile(PmpFinalPath(context.outputFolder, job.outputTitle));
}

} // namespace

void StopEncoderJob(ConversionContext& context, EncoderRunner& runner)
{
    context.stopFlag = true;
    const int index = context.currentJob;
    JobRecord job;
    const bool marked = context.UpdateJob(index,
        [&job](JobRecord& stopped) {
            stopped.stateIcon = JobState::Stopped;
            job = stopped;
        },
        { JobColumn::Icon });
    if (!marked)
        return;

    const OutputKind kind = context.outputKind;
    if (kind.Is(MobileKind::Pmp))
        StopPmpJob(context, runner, job);
    else if (!kind.UsesVideoEditComponent())
        runner.AskEncoderToQuit();

    if (job.NeedsIntermediateFile())
        RemoveFile(job.intermediatePath);
}

} // namespace kelvara
