#include "RunnerFixture.h"

#include "platform/CommandLine.h"

#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

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
    return platform::QuoteArgument(text);
}

bool RunnerTest::FileHolds(const std::string& path, const std::string& text) const
{
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    return content.str().find(text) != std::string::npos;
}

std::vector<int> ChildrenOfThisProcess()
{
    std::vector<int> children;
    const pid_t self = ::getpid();
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        // pid (comm) state ppid ...: the command may hold blanks and ")".
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(line.substr(close + 1));
        std::string state;
        int parent = 0;
        rest >> state >> parent;
        if (parent == self)
            children.push_back(std::stoi(name));
    }
    return children;
}

int OpenDescriptorCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace kelvara::testing

int main(int argc, char** argv)
{
    // The runner services the application's events while it waits.
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
