// pmpmux: writes the PMP file of a device profile from the video and the
// audio that the encoder wrote separately, and checks written files.
#include "PmpCheck.h"
#include "PmpMuxer.h"

#include <cstdio>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

namespace {

constexpr const char* kUsage = "usage: pmpmux VIDEO AUDIO OUTPUT.pmp\n"
                               "       pmpmux --check FILE.pmp [SOURCE]\n"
                               "VIDEO holds MPEG-4 part 2 or H.264 video at a constant frame rate\n"
                               "(an AVI), AUDIO MP3 audio. --check verifies a PMP file and, with a\n"
                               "SOURCE, that it carries that file's video (or audio) frames.\n";

int Fail(const std::string& message)
{
    std::fprintf(stderr, "pmpmux: %s\n", message.c_str());
    return 1;
}

int Check(const std::string& pmpPath, const std::string& sourcePath)
{
    std::string error;
    std::string summary;
    if (!kelvara::pmp::CheckPmp(pmpPath, sourcePath, error, summary))
        return Fail(error);
    std::printf("%s: %s\n", pmpPath.c_str(), summary.c_str());
    return 0;
}

int Mux(const std::string& video, const std::string& audio, const std::string& output)
{
    std::string error;
    if (!kelvara::pmp::MuxPmp(video, audio, output, error))
        return Fail(error);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_ERROR);
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--check" && (argc == 3 || argc == 4))
        return Check(argv[2], argc == 4 ? argv[3] : "");
    if (argc == 4 && !first.starts_with("--"))
        return Mux(argv[1], argv[2], argv[3]);
    std::fputs(kUsage, stderr);
    return 2;
}
