// pmpmux on any pair of files: the input is a 4-byte little-endian length,
// that many bytes of the video file (an AVI), then the audio file (an MP3).
// A PMP file it writes passes its own check; the MP3 frame helpers take the
// audio bytes as frames.
#include "FuzzFile.h"
#include "Mp3Frames.h"
#include "PmpCheck.h"
#include "PmpMuxer.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

extern "C" {
#include <libavutil/log.h>
}

using kelvara::fuzz::Broken;

namespace {

void CheckFrameHelpers(std::string_view audio)
{
    kelvara::pmp::SamplesPerMpegAudioFrame(audio);
    const std::string silent = kelvara::pmp::SilentMpegAudioFrame(audio);
    if (audio.size() > 4 && kelvara::pmp::SamplesPerMpegAudioFrame(audio)
        && !kelvara::pmp::IsSilentMpegAudioFrame(silent))
        Broken("a silent frame made from a frame is known as silent");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    av_log_set_level(AV_LOG_QUIET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t videoLength = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
        videoLength |= static_cast<std::size_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    const std::string_view rest = bytes.substr(std::min<std::size_t>(4, bytes.size()));
    videoLength = std::min(videoLength, rest.size());
    const std::string_view audio = rest.substr(videoLength);

    const std::string video = kelvara::fuzz::WriteFuzzFile("video.avi", rest.substr(0, videoLength));
    const std::string audioPath = kelvara::fuzz::WriteFuzzFile("audio.mp3", audio);
    const std::string output = kelvara::fuzz::FuzzFilePath("out.pmp");
    std::filesystem::remove(output);
    std::string error;
    if (kelvara::pmp::MuxPmp(video, audioPath, output, error)) {
        std::string summary;
        if (!kelvara::pmp::CheckPmp(output, video, error, summary))
            Broken("a PMP file that pmpmux wrote passes its check");
    } else if (std::filesystem::exists(output)) {
        Broken("a failed mux leaves no output behind");
    }
    CheckFrameHelpers(audio);
    return 0;
}
