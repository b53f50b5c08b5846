#include "MediaMaker.h"

#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvara::testing {

CommandResult RunProgram(const std::vector<std::string>& arguments)
{
    CommandResult result;
    int fds[2];
    if (::pipe(fds) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", 0, 0);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int failure = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (failure == 0) {
        char buffer[4096];
        ssize_t count;
        while ((count = ::read(fds[0], buffer, sizeof buffer)) > 0)
            result.output.append(buffer, static_cast<std::size_t>(count));
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    ::close(fds[0]);
    return result;
}

bool MakeClip(const std::string& path, double seconds, int width, int height,
    const std::vector<std::string>& extraOutputOptions)
{
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string length = std::to_string(seconds);
    std::vector<std::string> arguments = { "ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
        "testsrc2=size=" + size + ":rate=25:duration=" + length, "-f", "lavfi", "-i",
        "sine=frequency=440:sample_rate=44100:duration=" + length, "-shortest" };
    arguments.insert(arguments.end(), extraOutputOptions.begin(), extraOutputOptions.end());
    arguments.push_back(path);
    return RunProgram(arguments).exitCode == 0;
}

std::optional<std::string> Probe(
    const std::string& path, const std::string& entry, const std::string& streams)
{
    std::vector<std::string> arguments = { "ffprobe", "-v", "error" };
    if (!streams.empty()) {
        arguments.push_back("-select_streams");
        arguments.push_back(streams);
    }
    arguments.insert(arguments.end(), { "-show_entries", entry, "-of", "default=nw=1:nk=1", path });
    CommandResult result = RunProgram(arguments);
    if (result.exitCode != 0)
        return std::nullopt;
    std::string& text = result.output;
    const std::size_t end = text.find('\n');
    if (end != std::string::npos)
        text.erase(end);
    if (text.empty() || text == "N/A")
        return std::nullopt;
    return text;
}

std::optional<double> ProbeDuration(const std::string& path)
{
    const std::optional<std::string> text = Probe(path, "format=duration");
    if (!text)
        return std::nullopt;
    return std::strtod(text->c_str(), nullptr);
}

} // namespace kelvara::testing
