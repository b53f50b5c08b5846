#include "HardwareDetection.h"

#include "process/Spawner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace kelvara {

namespace {

// How often a waiting run looks at the stop request.
constexpr std::chrono::milliseconds kStopCheck { 50 };
// More than any encoder list; the rest is not read.
constexpr std::size_t kLargestListing = std::size_t { 256 } * 1024;

struct TimedRun {
    bool ended = false; // on its own, in time
    int exitCode = -1;
    std::string output;
};

// Reads what is there; false once the writer has gone.
bool ReadSome(int fd, std::string& output)
{
    char buffer[4096];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0)
        return errno == EINTR || errno == EAGAIN;
    if (got == 0)
        return false;
    if (output.size() < kLargestListing)
        output.append(buffer, static_cast<std::size_t>(got));
    return true;
}

// Runs ffmpeg with `arguments`, its standard output read into the result
// and its standard error dropped, for at most `timeout`.
TimedRun RunForAtMost(const std::string& program, const std::vector<std::string>& arguments,
    std::chrono::milliseconds timeout, const std::stop_token& stop)
{
    TimedRun run;
    std::optional<PipeEnds> pipe = CreatePipe();
    if (!pipe)
        return run;
    SpawnRequest request;
    request.program = program;
    request.arguments = { program };
    request.arguments.insert(request.arguments.end(), arguments.begin(), arguments.end());
    request.descriptors = { { STDOUT_FILENO, pipe->writeEnd.Get() } };
    // The thread that started it waits for it; if the program ends first,
    // so does the trial.
    request.parentDeathSignal = SIGKILL;
    SpawnResult started = Spawn(request);
    pipe->writeEnd.Close();
    if (!started.Started())
        return run;
    ChildProcess& child = started.child;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool reading = true;
    while (reading || !child.TryReap()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (stop.stop_requested() || left.count() <= 0) {
            child.KillAndReap();
            return run;
        }
        pollfd watched[2] = { { reading ? pipe->readEnd.Get() : -1, POLLIN, 0 },
            { child.IsRunning() ? child.ExitNotifier() : -1, POLLIN, 0 } };
        if (::poll(watched, 2, static_cast<int>(std::min(left, kStopCheck).count())) > 0 && reading
            && (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0)
            reading = ReadSome(pipe->readEnd.Get(), run.output);
    }
    run.ended = true;
    run.exitCode = child.ExitCode();
    return run;
}

} // namespace

std::vector<UsableEncoder> DetectHardwareEncoders(
    const DetectionRequest& request, const std::stop_token& stop)
{
    const TimedRun listing = RunForAtMost(request.ffmpeg, EncoderListArguments(), request.timeout, stop);
    if (!listing.ended || listing.exitCode != 0)
        return {};
    const std::string renderNode = FirstRenderNode(request.renderFolder);
    std::vector<UsableEncoder> usable;
    for (const HardwareEncoder& encoder : ListedHardwareEncoders(listing.output)) {
        // Without a render node VA-API has nothing to encode on.
        if (encoder.api == HardwareApi::Vaapi && renderNode.empty())
            continue;
        const TimedRun trial
            = RunForAtMost(request.ffmpeg, TrialArguments(encoder, renderNode), request.timeout, stop);
        if (trial.ended && trial.exitCode == 0)
            usable.push_back({ std::string(encoder.name), encoder.codec, encoder.api,
                encoder.api == HardwareApi::Vaapi ? renderNode : std::string() });
    }
    return usable;
}

} // namespace kelvara
