#include "EncoderStop.h"

#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

#include <cstdio>

namespace kelvara {

namespace {

void RemoveFile(const std::string& path)
{
    if (!path.empty())
        std::remove(path.c_str());
}

// The PMP conversion's files are its own, in a folder of its own, and go
// with it; its helper steps end on the stop flag.
void StopPmpJob(EncoderRunner& runner, const JobRecord& job)
{
    if (job.stage == JobStage::Encoding)
        runner.AskEncoderToQuit();
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
        StopPmpJob(runner, job);
    else if (!kind.UsesVideoEditComponent())
        runner.AskEncoderToQuit();

    if (job.NeedsIntermediateFile())
        RemoveFile(job.intermediatePath);
}

} // namespace kelvara
