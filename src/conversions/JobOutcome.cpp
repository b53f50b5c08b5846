#include "JobOutcome.h"

#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

#include <filesystem>

namespace kelvara {

bool MarkJobConverting(ConversionContext& context, int jobIndex)
{
    return context.UpdateJob(jobIndex,
        [](JobRecord& job) {
            job.stateIcon = JobState::Converting;
            job.failed = false;
            job.run.StartUnlessGoing(RunRecord::Clock::now());
        },
        { JobColumn::Icon });
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
    context.UpdateJob(jobIndex,
        [&reason](JobRecord& job) {
            job.failed = true;
            job.run.Fail(reason, RunRecord::Clock::now());
            job.finished = 0;
            // Not queued (a batch would take it again) and not done: the
            // "not converted" icon, with the reason in the status column.
            job.stateIcon = JobState::Stopped;
        },
        { JobColumn::Status, JobColumn::Icon });
}

void KeepRunOutput(ConversionContext& context, int jobIndex, std::string_view lines)
{
    if (!lines.empty())
        context.jobs.Update(jobIndex, [lines](JobRecord& job) { job.run.AppendOutput(lines); });
}

void RememberPartialOutputs(ConversionContext& context, int jobIndex, const std::vector<std::string>& paths)
{
    std::vector<std::string> kept;
    for (const std::string& path : paths) {
        if (FileHasContent(path))
            kept.push_back(path);
    }
    context.jobs.Update(jobIndex, [&kept](JobRecord& job) { job.partialOutputs = kept; });
}

void MarkJobDone(ConversionContext& context, int jobIndex, DoneStatus status, const std::string& outputPath)
{
    const auto change = [status, &outputPath](JobRecord& job) {
        job.stateIcon = JobState::Done;
        job.run.Finish(RunRecord::Clock::now());
        job.partialOutputs.clear();
        if (!outputPath.empty())
            job.outputPath = outputPath;
        if (status == DoneStatus::Finished)
            job.finished = 1;
        else if (status == DoneStatus::FullPercentage)
            job.percentDone = 100;
    };
    if (status == DoneStatus::Unchanged)
        context.UpdateJob(jobIndex, change, { JobColumn::Icon });
    else
        context.UpdateJob(jobIndex, change, { JobColumn::Icon, JobColumn::Status });
}

} // namespace kelvara
