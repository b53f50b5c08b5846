// What the video-editing end-to-end tests share: running videoedit-cli and
// reading what it printed, asking ffprobe about an output, and finding the
// processes this test has started.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace kelvara::testing {

struct CliRun {
    int exitCode = -1;
    std::vector<std::pair<double, double>> progress; // position, total
    int completions = 0;
    std::string output; // everything it printed, for failure messages
};

// Runs videoedit-cli with these arguments.
CliRun RunCli(const std::vector<std::string>& arguments);

// The codec names of `videoedit-cli codecs` for "video" or "audio", in order.
std::vector<std::string> CliCodecNames(const std::string& kind);

// ffprobe's key=value entries of one stream ("v:0", "a:0"), frames counted
// (nb_read_frames), or of the format ("" as the stream). Empty when ffprobe
// cannot read the file or the stream is not there.
std::map<std::string, std::string> ProbeEntries(const std::string& path, const std::string& stream);

// Where a stream's last packet ends, in seconds: the length of the stream
// whatever the container says about it. Nothing when there is no such stream.
std::optional<double> StreamEndSeconds(const std::string& path, const std::string& stream);

// A "num/den" rate as ffprobe writes it, as a number; 0 for anything else.
double RateValue(const std::string& fraction);

// Checks the progress a conversion reported: positions never go down and
// stay within the total, the total is `expectedTotal` throughout, and the
// last event reaches it. Returns a description of the first fault, or "".
std::string ProgressFault(const std::vector<std::pair<double, double>>& progress, double expectedTotal);

// The processes whose parent is this test program.
std::vector<pid_t> ChildProcesses();

// Services messages the way the program's waiting loops do, until `done`
// or the time runs out; true when `done` came.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
void PumpFor(int ms);

// Whether a program can be found on PATH.
bool HasProgram(const std::string& name);

} // namespace kelvara::testing
