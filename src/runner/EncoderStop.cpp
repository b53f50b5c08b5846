#include "EncoderStop.h"

#include "files/RemoveIfPresent.h"
#include "platform/ApplicationThread.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

#include <QtGlobal>

namespace kelvara {

namespace {

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
    // The stop flag is read by the runner's loop on this thread, unguarded.
    Q_ASSERT(platform::OnApplicationThread());
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
        RemoveIfPresent(job.intermediatePath);
}

} // namespace kelvara
