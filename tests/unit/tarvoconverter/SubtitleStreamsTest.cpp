// Picture subtitles stay as they are when an output converts subtitles to
// text: a stand-in ffprobe tells the source's streams.
#include "RequestParser.h"
#include "SourceStreams.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kelvara::tarvo {
namespace {

std::vector<std::string> OptionsAfter(const std::string& probeAnswer, std::vector<std::string> options)
{
    const testing::TempFolder folder;
    const std::string probe = folder.Path().string() + "/ffprobe";
    std::ofstream(probe) << "#!/bin/sh\nprintf '" << probeAnswer << "'\n";
    std::filesystem::permissions(probe, std::filesystem::perms::owner_all);
    const testing::ScopedVariable stand(("TARVO_FFPROBE"), probe);
    Request request;
    request.inputs.push_back({ folder.Path().string() + "/film.vob", {}, false });
    request.outputs.push_back({ folder.Path().string() + "/film.mkv", std::move(options) });
    CopyPictureSubtitles(request);
    return request.outputs.front().ffmpegOptions;
}

TEST(SubtitleStreams, PictureSubtitlesAreCopiedWhereTheOutputConvertsToText)
{
    const std::string streams = "codec_name=mpeg2video\\ncodec_type=video\\ncodec_name=subrip\\n"
                                "codec_type=subtitle\\ncodec_name=dvd_subtitle\\ncodec_type=subtitle\\n"
                                "codec_name=hdmv_pgs_subtitle\\ncodec_type=subtitle\\nduration=3.0\\n";
    using Options = std::vector<std::string>;
    EXPECT_EQ(OptionsAfter(streams, { "-c:s", "ass" }),
        (Options { "-c:s", "ass", "-c:s:1", "copy", "-c:s:2", "copy" }));
    EXPECT_EQ(OptionsAfter(streams, { "-c:s", "copy" }), (Options { "-c:s", "copy" }));
    EXPECT_EQ(OptionsAfter(streams, { "-c:v", "libx264" }), (Options { "-c:v", "libx264" }));
    EXPECT_EQ(OptionsAfter("codec_name=mov_text\\ncodec_type=subtitle\\n", { "-c:s", "ass" }),
        (Options { "-c:s", "ass" }));
}

} // namespace
} // namespace kelvara::tarvo
