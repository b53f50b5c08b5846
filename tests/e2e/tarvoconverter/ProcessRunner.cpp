#include "ProcessRunner.h"

#include "process/Spawner.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace kelvara::tarvo::testing {

namespace {

PipeEnds MakePipe()
{
    std::optional<PipeEnds> ends = CreatePipe();
    if (!ends)
        throw std::runtime_error("pipe2 failed");
    return std::move(*ends);
}

} // namespace

RunningProgram::RunningProgram(
    const std::vector<std::string>& argv, InputKind input, const Environment& environment, ErrorOutput errors)
{
    PipeEnds inputPipe;
    if (input == InputKind::Pipe)
        inputPipe = MakePipe();
    PipeEnds outputPipe = MakePipe();
    PipeEnds errorPipe = MakePipe();

    SpawnRequest request;
    request.program = argv.front();
    request.arguments = argv;
    if (input == InputKind::Pipe)
        request.descriptors.push_back({ STDIN_FILENO, inputPipe.readEnd.Get() });
    request.descriptors.push_back({ STDOUT_FILENO, outputPipe.writeEnd.Get() });
    request.descriptors.push_back({ STDERR_FILENO,
        errors == ErrorOutput::JoinedWithOutput ? outputPipe.writeEnd.Get() : errorPipe.writeEnd.Get() });
    for (const auto& [name, value] : environment)
        request.environmentChanges.push_back(name + "=" + value);
    SpawnResult started = Spawn(request);

    m_input = std::move(inputPipe.writeEnd);
    m_output = std::move(outputPipe.readEnd);
    m_errors = std::move(errorPipe.readEnd);
    if (!started.Started())
        m_err = started.Reason(argv.front());
    m_child = std::move(started.child);
}

RunningProgram::~RunningProgram() = default; // the child is killed and reaped if still there

void RunningProgram::WriteInput(const std::string& text)
{
    if (m_input.IsOpen()) {
        std::signal(SIGPIPE, SIG_IGN);
        [[maybe_unused]] ssize_t ignored = ::write(m_input.Get(), text.data(), text.size());
    }
}

void RunningProgram::CloseInput()
{
    m_input.Close();
}

void RunningProgram::CloseOutput()
{
    m_output.Close();
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
        const bool ended = m_child.TryReap();
        if (untilEnd && ended && !m_output.IsOpen() && !m_errors.IsOpen())
            return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        pollfd fds[2];
        UniqueFd* owners[2];
        int count = 0;
        for (UniqueFd* fd : { &m_output, &m_errors }) {
            if (fd->IsOpen()) {
                owners[count] = fd;
                fds[count++] = { fd->Get(), POLLIN, 0 };
            }
        }
        // Short naps also notice the end of a program whose pipes stay open.
        ::poll(fds, count, static_cast<int>(std::min<long>(left.count(), 20)));
        for (int i = 0; i < count; ++i) {
            if (!fds[i].revents)
                continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            const bool isOutput = owners[i] == &m_output;
            if (got > 0)
                (isOutput ? m_out : m_err).append(buffer, static_cast<std::size_t>(got));
            else
                owners[i]->Close();
        }
    }
}

ProgramResult RunningProgram::finish(std::chrono::milliseconds timeLimit)
{
    pump(timeLimit, true);
    ProgramResult result;
    if (!m_child.TryReap()) {
        result.timedOut = true;
        m_child.KillAndReap();
    } else {
        result.exitCode = m_child.ExitCode();
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

} // namespace kelvara::tarvo::testing
