#include "FfmpegProgram.h"

#include <cstdlib>

namespace kelvara {

FfmpegProgram WhichFfmpeg()
{
    const char* chosen = std::getenv(kFfmpegVariable);
    std::string name = chosen != nullptr && *chosen != '\0' ? chosen : "ffmpeg";
    ProgramLookup found = FindProgram(name);
    return { std::move(name), std::move(found) };
}

} // namespace kelvara
