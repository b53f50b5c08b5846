#include "MediaInfo.h"

#include "files/FileChecks.h"
#include "videoedit/FfmpegLibraries.h"

#include <algorithm>
#include <memory>

namespace kelvara {

namespace {

// Every context is made once ReadMediaInfo has found the libraries open.
struct FormatContextCloser {
    void operator()(AVFormatContext* context) const { LoadFfmpeg()->format_close_input(&context); }
};
using FormatContext = std::unique_ptr<AVFormatContext, FormatContextCloser>;

void QuietLibraries(const FfmpegFunctions& ffmpeg)
{
    // Probing is a question, not an error: unreadable files stay silent.
    static const bool quiet = [&ffmpeg] {
        ffmpeg.log_set_level(AV_LOG_QUIET);
        return true;
    }();
    (void)quiet;
}

double StreamDurationSeconds(const AVStream& stream)
{
    if (stream.duration == AV_NOPTS_VALUE || stream.duration <= 0)
        return 0.0;
    return static_cast<double>(stream.duration) * av_q2d(stream.time_base);
}

double DurationSeconds(const AVFormatContext& context)
{
    if (context.duration != AV_NOPTS_VALUE && context.duration > 0)
        return static_cast<double>(context.duration) / AV_TIME_BASE;
    double longest = 0.0;
    for (unsigned i = 0; i < context.nb_streams; ++i)
        longest = std::max(longest, StreamDurationSeconds(*context.streams[i]));
    return longest;
}

} // namespace

MediaInfo ReadMediaInfo(const std::string& path)
{
    MediaInfo info;
    // libavformat would wait forever for a writer to a FIFO.
    if (!SourceFileProblem(path).empty())
        return info;
    // Opened at the first probe, not at start: see FfmpegLibraries.h.
    const FfmpegFunctions* ffmpeg = LoadFfmpeg();
    if (!ffmpeg)
        return info;
    QuietLibraries(*ffmpeg);
    AVFormatContext* raw = nullptr;
    if (ffmpeg->format_open_input(&raw, path.c_str(), nullptr, nullptr) < 0)
        return info;
    FormatContext context(raw);
    if (ffmpeg->format_find_stream_info(context.get(), nullptr) < 0)
        return info;

    info.readable = true;
    info.durationSeconds = DurationSeconds(*context);
    const int video = ffmpeg->find_best_stream(context.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (video >= 0) {
        const AVCodecParameters& parameters = *context->streams[video]->codecpar;
        info.width = std::max(parameters.width, 0);
        info.height = std::max(parameters.height, 0);
    }
    return info;
}

} // namespace kelvara
