#include "VideoEditTestSupport.h"

#include "support/MediaMaker.h"
#include "support/Processes.h"

#include <QCoreApplication>
#ifdef VIDEOEDIT_TESTS_WITH_WIDGETS
#include <QApplication>
#include <clocale>
#endif
#include <QElapsedTimer>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kelvara::testing {

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

CliRun RunCli(const std::vector<std::string>& arguments)
{
    std::vector<std::string> command = { VIDEOEDIT_CLI };
    command.insert(command.end(), arguments.begin(), arguments.end());
    const CommandResult result = RunProgram(command);
    CliRun run;
    run.exitCode = result.exitCode;
    run.output = result.output;
    for (const std::string& line : Lines(result.output)) {
        double position = 0.0;
        double total = 0.0;
        if (std::sscanf(line.c_str(), "progress %lf %lf", &position, &total) == 2)
            run.progress.emplace_back(position, total);
        else if (line == "complete")
            ++run.completions;
    }
    return run;
}

std::vector<std::string> CliCodecNames(const std::string& kind)
{
    std::vector<std::string> names;
    const CommandResult result = RunProgram({ VIDEOEDIT_CLI, "codecs" });
    for (const std::string& line : Lines(result.output)) {
        std::istringstream fields(line);
        std::string lineKind;
        int index = -1;
        fields >> lineKind >> index;
        std::string name;
        std::getline(fields >> std::ws, name);
        if (lineKind == kind && index == static_cast<int>(names.size()))
            names.push_back(name);
    }
    return names;
}

std::map<std::string, std::string> ProbeEntries(const std::string& path, const std::string& stream)
{
    std::vector<std::string> command = { "ffprobe", "-v", "error" };
    if (stream.empty()) {
        command.insert(command.end(), { "-show_entries", "format=format_name,duration" });
    } else {
        command.insert(command.end(),
            { "-count_frames", "-select_streams", stream, "-show_entries",
                "stream=codec_name,codec_tag_string,width,height,r_frame_rate,pix_fmt,sample_rate,"
                "channels,bit_rate,nb_read_frames,duration,display_aspect_ratio" });
    }
    command.insert(command.end(), { "-of", "default=nw=1", path });
    const CommandResult result = RunProgram(command);
    std::map<std::string, std::string> entries;
    if (result.exitCode != 0)
        return entries;
    for (const std::string& line : Lines(result.output)) {
        const std::size_t equals = line.find('=');
        // The first stream of a kind is the one asked for: keep its values.
        if (equals != std::string::npos)
            entries.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return entries;
}

std::optional<double> StreamEndSeconds(const std::string& path, const std::string& stream)
{
    const CommandResult result = RunProgram({ "ffprobe", "-v", "error", "-select_streams", stream,
        "-show_entries", "packet=pts_time,duration_time", "-of", "csv=p=0", path });
    std::optional<double> end;
    for (const std::string& line : Lines(result.output)) {
        double pts = 0.0;
        double duration = 0.0;
        if (std::sscanf(line.c_str(), "%lf,%lf", &pts, &duration) == 2)
            end = std::max(end.value_or(0.0), pts + duration);
    }
    return end;
}

double RateValue(const std::string& fraction)
{
    int numerator = 0;
    int denominator = 0;
    if (std::sscanf(fraction.c_str(), "%d/%d", &numerator, &denominator) != 2 || denominator == 0)
        return 0.0;
    return static_cast<double>(numerator) / denominator;
}

std::string ProgressFault(const std::vector<std::pair<double, double>>& progress, double expectedTotal)
{
    if (progress.empty())
        return "no progress event";
    double previous = 0.0;
    for (const auto& [position, total] : progress) {
        std::ostringstream event;
        event << "event (" << position << ", " << total << ")";
        if (std::fabs(total - expectedTotal) > 1e-3)
            return event.str() + ": total is not " + std::to_string(expectedTotal);
        if (position < previous - 1e-9)
            return event.str() + ": position went down";
        if (position > total + 1e-9)
            return event.str() + ": position beyond the total";
        previous = position;
    }
    if (std::fabs(progress.back().first - progress.back().second) > 1e-9)
        return "the last event does not reach the total";
    return {};
}

std::vector<pid_t> ChildProcesses()
{
    return ChildrenOfThisProcess();
}

bool HasProgram(const std::string& name)
{
    return !QStandardPaths::findExecutable(QString::fromStdString(name)).isEmpty();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

} // namespace kelvara::testing

// The in-process tests need an application object: the component's events
// come from its event loop.
int main(int argc, char** argv)
{
#ifdef VIDEOEDIT_TESTS_WITH_WIDGETS
    // The preview's window needs a GUI application; mpv the C numbers.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
#else
    QCoreApplication application(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
