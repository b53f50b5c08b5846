#include "RunnerFixture.h"

#include "process/CommandLine.h"

#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kelvara::testing {

void RecordingView::RedrawCell(int, JobColumn column)
{
    if (column == JobColumn::Icon)
        ++iconRedraws;
    if (column != JobColumn::Status)
        return;
    ++statusRedraws;
    if (onStatusRedraw)
        onStatusRedraw();
}

RunnerTest::RunnerTest()
{
    std::filesystem::copy_file(FAKE_ENCODER, m_tools.File("tarvoconverter"));
    m_context.toolDirectory = m_tools.Folder();
    m_context.outputFolder = m_work.Folder();
    JobRecord job;
    job.sourcePath = m_work.File("clip.avi");
    job.outputTitle = "clip";
    job.trimEndMs = 10000.0;
    m_job = m_jobs.Add(job);
    m_context.currentJob = m_job;
}

std::string RunnerTest::Quoted(const std::string& text) const
{
    return QuoteArgument(text);
}

bool RunnerTest::FileHolds(const std::string& path, const std::string& text) const
{
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    return content.str().find(text) != std::string::npos;
}

} // namespace kelvara::testing

int main(int argc, char** argv)
{
    // The runner services the application's events while it waits.
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
