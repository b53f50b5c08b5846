#include "JobOutcome.h"

#include "engine/ConversionContext.h"
#include "engine/EncoderRunner.h"

#include <filesystem>

namespace kelvara {

void MarkJobConverting(ConversionContext& context, int jobIndex)
{
    JobRecord job = context.jobs.GetAt(jobIndex);
    job.stateIcon = JobState::Converting;
    job.failed = false;
    job.failureReason.clear();
    context.jobs.SetAt(jobIndex, job);
    context.view.RedrawCell(jobIndex, JobColumn::Icon);
}

bool FileHasContent(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) > 0
        && !error;
}

std::string FailureOf(const RunOutcome& outcome, const std::string& expectedOutput)
{
    if (!outcome.Succeeded())
        return outcome.reason.empty() ? "The encoder failed." : outcome.reason;
    if (!expectedOutput.empty() && !FileHasContent(expectedOutput))
        return "The encoder wrote no output file.";
    return {};
}

void MarkJobFailed(ConversionContext& context, int jobIndex, const std::string& reason)
{
    JobRecord job = context.jobs.GetAt(jobIndex);
    job.failed = true;
    job.failureReason = reason;
    job.finished = 0;
    // Not queued (a batch would take it again) and not done: the "not
    // converted" icon, with the reason in the status column.
    job.stateIcon = JobState::Stopped;
    context.jobs.SetAt(jobIndex, job);
    context.view.RedrawCell(jobIndex, JobColumn::Status);
    context.view.RedrawCell(jobIndex, JobColumn::Icon);
}

void MarkJobDone(ConversionContext& context, int jobIndex, bool finished)
{
    JobRecord job = context.jobs.GetAt(jobIndex);
    if (finished) {
        job.finished = 1;
        context.jobs.SetAt(jobIndex, job);
        context.view.RedrawCell(jobIndex, JobColumn::Status);
    }
    job.stateIcon = JobState::Done;
    context.jobs.SetAt(jobIndex, job);
    context.view.RedrawCell(jobIndex, JobColumn::Icon);
}

} // namespace kelvara
