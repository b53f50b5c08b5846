#include "FilesAtOnce.h"

#include <algorithm>
#include <sched.h>
#include <thread>

namespace kelvara {

int UsableCores()
{
    // The affinity mask, not the machine's count: a container or taskset
    // may give this process fewer cores than the machine has.
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

bool EncoderUsesOneCore(const OutputKind& kind)
{
    return kind.category == OutputCategory::Audio || kind.Is(PcKind::Image);
}

bool CanConvertSideBySide(const OutputKind& kind)
{
    return EncoderUsesOneCore(kind);
}

int JobsAtOnce(const OutputKind& kind, int setting, int cores)
{
    if (!CanConvertSideBySide(kind))
        return 1;
    cores = std::max(1, cores);
    if (setting == kFilesAtOnceAuto)
        return EncoderUsesOneCore(kind) ? cores : 1;
    return std::clamp(setting, 1, cores);
}

} // namespace kelvara
