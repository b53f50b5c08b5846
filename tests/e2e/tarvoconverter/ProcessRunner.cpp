#include "ProcessRunner.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvara::tarvo::test {

namespace {

std::vector<std::string> MergedEnvironment(const Environment& overrides)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        bool replaced = false;
        for (const auto& [name, value] : overrides)
            replaced = replaced || text.starts_with(name + "=");
        if (!replaced)
            result.push_back(text);
    }
    for (const auto& [name, value] : overrides)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> PointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

void MakePipe(int ends[2])
{
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2 failed");
}

std::string StatFieldsAfterName(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t end = text.rfind(')'); // the name may hold blanks and parentheses
    return end == std::string::npos ? std::string() : text.substr(end + 2);
}

} // namespace

RunningProgram::RunningProgram(
    const std::vector<std::string>& argv, InputKind input, const Environment& environment, ErrorOutput errors)
{
    int inputPipe[2] = { -1, -1 };
    int outputPipe[2];
    int errorPipe[2];
    if (input == InputKind::Pipe)
        MakePipe(inputPipe);
    MakePipe(outputPipe);
    MakePipe(errorPipe);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input == InputKind::Pipe)
        posix_spawn_file_actions_adddup2(&actions, inputPipe[0], STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(
        &actions, errors == ErrorOutput::JoinedWithOutput ? outputPipe[1] : errorPipe[1], STDERR_FILENO);

    std::vector<std::string> arguments = argv;
    std::vector<std::string> variables = MergedEnvironment(environment);
    const int error = ::posix_spawnp(&m_pid, arguments.front().c_str(), &actions, nullptr,
        PointersTo(arguments).data(), PointersTo(variables).data());
    posix_spawn_file_actions_destroy(&actions);

    if (input == InputKind::Pipe) {
        ::close(inputPipe[0]);
        m_input = inputPipe[1];
    }
    ::close(outputPipe[1]);
    ::close(errorPipe[1]);
    m_output = outputPipe[0];
    m_errors = errorPipe[0];
    if (error != 0) {
        m_pid = -1;
        m_reaped = true;
        m_err = std::string("cannot start ") + argv.front() + ": " + std::strerror(error);
    }
}

RunningProgram::~RunningProgram()
{
    if (!m_reaped && m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    for (int fd : { m_input, m_output, m_errors }) {
        if (fd >= 0)
            ::close(fd);
    }
}

void RunningProgram::WriteInput(const std::string& text)
{
    if (m_input >= 0) {
        std::signal(SIGPIPE, SIG_IGN);
        [[maybe_unused]] ssize_t ignored = ::write(m_input, text.data(), text.size());
    }
}

void RunningProgram::CloseInput()
{
    if (m_input >= 0)
        ::close(m_input);
    m_input = -1;
}

void RunningProgram::CloseOutput()
{
    if (m_output >= 0)
        ::close(m_output);
    m_output = -1;
}

std::string RunningProgram::ReadOutputFor(std::chrono::milliseconds duration)
{
    const std::size_t before = m_out.size();
    pump(duration, false);
    return m_out.substr(before);
}

void RunningProgram::pump(std::chrono::milliseconds duration, bool untilEnd)
{
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (;;) {
        if (!m_reaped && m_pid > 0 && ::waitpid(m_pid, &m_waitStatus, WNOHANG) == m_pid)
            m_reaped = true;
        if (untilEnd && m_reaped && m_output < 0 && m_errors < 0)
            return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        pollfd fds[2];
        int count = 0;
        for (int fd : { m_output, m_errors }) {
            if (fd >= 0)
                fds[count++] = { fd, POLLIN, 0 };
        }
        // Short naps also notice the end of a program whose pipes stay open.
        ::poll(fds, count, static_cast<int>(std::min<long>(left.count(), 20)));
        for (int i = 0; i < count; ++i) {
            if (!fds[i].revents)
                continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            const bool isOutput = fds[i].fd == m_output;
            if (got > 0) {
                (isOutput ? m_out : m_err).append(buffer, static_cast<std::size_t>(got));
            } else {
                ::close(fds[i].fd);
                (isOutput ? m_output : m_errors) = -1;
            }
        }
    }
}

ProgramResult RunningProgram::finish(std::chrono::milliseconds timeLimit)
{
    pump(timeLimit, true);
    ProgramResult result;
    if (!m_reaped) {
        result.timedOut = true;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &m_waitStatus, 0);
        m_reaped = true;
    } else if (m_pid > 0 && WIFEXITED(m_waitStatus)) {
        result.exitCode = WEXITSTATUS(m_waitStatus);
    }
    result.out = m_out;
    result.err = m_err;
    return result;
}

ProgramResult RunProgram(
    const std::vector<std::string>& argv, std::chrono::milliseconds timeLimit, const Environment& environment)
{
    RunningProgram program(argv, InputKind::DevNull, environment);
    return program.finish(timeLimit);
}

std::vector<pid_t> ChildrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return children;
    while (const dirent* entry = ::readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0)
            continue;
        std::istringstream fields(StatFieldsAfterName(pid));
        char state = 0;
        pid_t ppid = 0;
        if (fields >> state >> ppid && ppid == parent)
            children.push_back(pid);
    }
    ::closedir(proc);
    return children;
}

bool IsRunning(pid_t pid)
{
    const std::string fields = StatFieldsAfterName(pid);
    return !fields.empty() && fields[0] != 'Z';
}

} // namespace kelvara::tarvo::test
