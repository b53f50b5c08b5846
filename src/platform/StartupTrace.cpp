#include "platform/StartupTrace.h"

#include <link.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace kelvara::platform {
namespace {

double Seconds(const timespec& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

// The process's start, in seconds since boot (the 22nd field of its stat,
// after the name in parentheses, which may hold spaces).
double ProcessStartSinceBoot()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos)
        return 0.0;
    std::string field;
    std::size_t at = nameEnd + 2;
    for (int index = 3; index <= 22 && at < line.size(); ++index) {
        const std::size_t end = line.find(' ', at);
        field = line.substr(at, end - at);
        at = end == std::string::npos ? line.size() : end + 1;
    }
    return std::strtod(field.c_str(), nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool TraceOn()
{
    static const bool on = [] {
        const char* value = std::getenv(kStartupTraceVariable);
        return value && *value && std::string(value) != "0";
    }();
    return on;
}

} // namespace

int MappedSharedObjects()
{
    int count = 0;
    dl_iterate_phdr(
        [](dl_phdr_info*, std::size_t, void* data) {
            ++*static_cast<int*>(data);
            return 0;
        },
        &count);
    return count;
}

void StartupMark(const char* step)
{
    if (!TraceOn())
        return;
    timespec now {};
    timespec cpu {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    static const double start = ProcessStartSinceBoot();
    std::fprintf(stderr, "kelvara start-up: %7.1f ms since start, %7.1f ms CPU: %s (%d libraries)\n",
        (Seconds(now) - start) * 1e3, Seconds(cpu) * 1e3, step, MappedSharedObjects());
}

} // namespace kelvara::platform
