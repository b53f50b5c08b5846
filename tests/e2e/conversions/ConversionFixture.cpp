#include "ConversionFixture.h"

#include <QCoreApplication>

namespace kelvara::testing {

void CountingView::RedrawCell(int, JobColumn column)
{
    if (column != JobColumn::Status)
        return;
    ++statusRedraws;
    if (onStatusRedraw)
        onStatusRedraw();
}

ConversionTest::ConversionTest()
{
    m_context.toolDirectory = std::string(KELVARA_TOOL_DIR) + "/";
    m_context.outputFolder = m_output.Folder();
}

int ConversionTest::AddJob(
    const std::string& name, double seconds, double trimStart, double trimEnd, int width, int height)
{
    const std::string path = m_sources.File(name);
    EXPECT_TRUE(MakeClip(path, seconds, width, height));
    JobRecord job;
    job.sourcePath = path;
    const std::size_t dot = name.rfind('.');
    job.outputTitle = job.titleText = job.titleCopy = name.substr(0, dot);
    job.trimStartMs = trimStart * 1000.0;
    job.trimEndMs = trimEnd * 1000.0;
    job.durationMs = seconds * 1000.0;
    job.sourceWidth = job.outputWidth = width;
    job.sourceHeight = job.outputHeight = height;
    const int index = m_jobs.Add(job);
    m_context.currentJob = index;
    return index;
}

void ConversionTest::StopAfterFirstProgress(std::function<void()> stop)
{
    m_view.onStatusRedraw = [this, stop] {
        const JobRecord job = m_jobs.GetAt(m_context.currentJob);
        if (!m_context.stopFlag && job.encodedSeconds > 0.0)
            stop();
    };
}

bool ReaderOpens(const std::vector<std::string>& command)
{
    return RunProgram(command).exitCode == 0;
}

} // namespace kelvara::testing

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
