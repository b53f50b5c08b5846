#include "support/BatchFakes.h"

#include <algorithm>
#include <fstream>

namespace kelvara::testing {

void FakeConverters::Convert(const std::string& name, int jobIndex)
{
    calls.push_back(name + ":" + std::to_string(jobIndex));
    m_context.UpdateJob(
        jobIndex, [](JobRecord& job) { job.stateIcon = JobState::Converting; }, { JobColumn::Icon });
    if (duringConversion)
        duringConversion(jobIndex);
    if (!m_context.stopFlag)
        Finish(jobIndex);
}

void FakeConverters::Finish(int jobIndex)
{
    const bool fails = std::find(failing.begin(), failing.end(), jobIndex) != failing.end();
    m_context.UpdateJob(jobIndex,
        [fails](JobRecord& job) {
            job.failed = fails;
            if (fails)
                job.run.Fail("The encoder failed.", RunRecord::Clock::now());
            else
                job.run.Finish(RunRecord::Clock::now());
            job.stateIcon = fails ? JobState::Stopped : JobState::Done;
        },
        { JobColumn::Icon, JobColumn::Status });
}

void FakeConverters::ConvertWithVideoEdit(int jobIndex, const std::string& outputPath)
{
    calls.push_back("component:" + std::to_string(jobIndex) + ":" + outputPath);
    if (duringConversion)
        duringConversion(jobIndex);
    if (!m_context.stopFlag)
        Finish(jobIndex);
}

bool FakeConverters::MakeIntermediateFile(int jobIndex)
{
    calls.push_back("intermediate:" + std::to_string(jobIndex));
    if (std::find(intermediateFailing.begin(), intermediateFailing.end(), jobIndex)
        != intermediateFailing.end()) {
        m_context.UpdateJob(jobIndex,
            [](JobRecord& job) {
                job.failed = true;
                job.stateIcon = JobState::Stopped;
            },
            {});
        return false;
    }
    const std::string path = intermediateFolder + "intermediate" + std::to_string(jobIndex) + ".avi";
    std::ofstream(path) << "intermediate";
    m_context.UpdateJob(jobIndex, [&path](JobRecord& job) { job.intermediatePath = path; }, {});
    if (duringIntermediate)
        duringIntermediate(jobIndex);
    return !m_context.stopFlag;
}

void FakeConverters::StopEncoderJob()
{
    ++encoderStops;
    m_context.stopFlag = true;
    m_context.UpdateJob(
        m_context.currentJob, [](JobRecord& job) { job.stateIcon = JobState::Stopped; }, { JobColumn::Icon });
}

} // namespace kelvara::testing
