// The graphics card encoders: which ffmpeg lists, which pass their trial
// frame, and how a filled-in command moves from the software encoder to one.
#include "ffmpeg/HardwareCommand.h"
#include "ffmpeg/HardwareDetection.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kelvara;
using kelvara::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const std::vector<HardwareEncoder>& encoders)
{
    std::vector<std::string> names;
    for (const HardwareEncoder& encoder : encoders)
        names.emplace_back(encoder.name);
    return names;
}

std::string StandIn(const TempFolder& folder, const std::string& body)
{
    const std::string path = folder.Write("ffmpeg", "#!/bin/sh\n" + body);
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

} // namespace

TEST(HardwareEncoders, OnlyWholeNamesOfTheListingCount)
{
    const std::string listing = "Encoders:\n"
                                " V..... = Video\n"
                                " ------\n"
                                " V....D libx264              libx264 H.264 (codec h264)\n"
                                " V....D hevc_nvenc           NVIDIA NVENC hevc encoder (codec hevc)\n"
                                " V....D h264_vaapi           H.264/AVC (VAAPI) (codec h264)\n"
                                " V....D vp9_vaapi            VP9 (VAAPI), not av1_vaapi (codec vp9)\n"
                                " V..... h264_nvenc_custom    a build's own (codec h264)\n";
    EXPECT_EQ(
        Names(ListedHardwareEncoders(listing)), (std::vector<std::string> { "h264_vaapi", "hevc_nvenc" }));
    EXPECT_TRUE(ListedHardwareEncoders("").empty());
}

TEST(HardwareEncoders, RenderNodeIs128ElseTheFirstByName)
{
    struct Case {
        std::vector<std::string> files;
        std::string expected;
    };
    const Case cases[] = {
        { {}, "" },
        { { "card0", "by-path" }, "" },
        { { "renderD130", "renderD129", "card1" }, "renderD129" },
        { { "renderD129", "renderD128" }, "renderD128" },
    };
    for (const Case& c : cases) {
        TempFolder folder;
        for (const std::string& file : c.files)
            folder.Write(file, "");
        EXPECT_EQ(FirstRenderNode(folder.Path().string()), c.expected.empty() ? "" : folder.File(c.expected))
            << c.expected;
    }
    EXPECT_EQ(FirstRenderNode("/no/such/folder"), "");
}

TEST(HardwareEncoders, TheTrialFrameGoesThroughEachEncoderWithItsDevice)
{
    TempFolder folder;
    folder.Write("renderD128", "");
    const std::string log = folder.File("trials");
    // Lists three candidates; only VA-API's H.264 on the render node encodes.
    const std::string lister = StandIn(folder,
        "dir=$(dirname \"$0\")\n"
        "case \"$*\" in\n"
        "*-encoders*) printf ' V....D libx264 x\\n V....D h264_vaapi x\\n V....D hevc_vaapi x\\n"
        " V....D h264_nvenc x\\n'; exit 0;;\n"
        "*\"-vaapi_device $dir/renderD128 \"*h264_vaapi*) echo \"$*\" >> \"$dir/trials\"; exit 0;;\n"
        "esac\n"
        "echo \"$*\" >> \"$dir/trials\"\n"
        "echo 'Cannot load libcuda.so.1' >&2; exit 1\n");

    const std::vector<UsableEncoder> found = DetectHardwareEncoders({ lister, folder.Path().string() });
    EXPECT_EQ(found,
        (std::vector<UsableEncoder> {
            { "h264_vaapi", VideoCodec::H264, HardwareApi::Vaapi, folder.File("renderD128") } }));
    std::ifstream trials(log);
    int runs = 0;
    for (std::string line; std::getline(trials, line); ++runs)
        EXPECT_NE(line.find("-frames:v 1"), std::string::npos) << line;
    EXPECT_EQ(runs, 3);

    // Without a render node VA-API is not tried at all.
    TempFolder noDevices;
    fs::remove(log);
    EXPECT_TRUE(DetectHardwareEncoders({ lister, noDevices.Path().string() }).empty());
    std::ifstream nvencOnly(log);
    std::string line;
    ASSERT_TRUE(std::getline(nvencOnly, line));
    EXPECT_NE(line.find("h264_nvenc"), std::string::npos);
    EXPECT_FALSE(std::getline(nvencOnly, line));
}

TEST(HardwareEncoders, AnFfmpegThatListsNoneFailsOrHangsGivesNone)
{
    TempFolder folder;
    folder.Write("renderD128", "");
    const std::string bodies[] = {
        "printf ' V....D libx264 x\\n V....D mpeg4 x\\n'\n",
        "printf ' V....D h264_vaapi x\\n'; exit 1\n",
        "exec sleep 30\n",
        // Lists, then hangs in every trial.
        "case \"$*\" in *-encoders*) printf ' V....D h264_vaapi x\\n'; exit 0;; esac; exec sleep 30\n",
    };
    for (const std::string& body : bodies) {
        const DetectionRequest request { StandIn(folder, body), folder.Path().string(),
            std::chrono::milliseconds(300) };
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(DetectHardwareEncoders(request).empty()) << body;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << body;
    }
}

TEST(HardwareCommand, TheSoftwareEncoderMovesToTheCard)
{
    const UsableEncoder vaapiH264 { "h264_vaapi", VideoCodec::H264, HardwareApi::Vaapi,
        "/dev/dri/renderD128" };
    const UsableEncoder vaapiAv1 { "av1_vaapi", VideoCodec::Av1, HardwareApi::Vaapi, "/dev/dri/render D9" };
    const UsableEncoder nvencHevc { "hevc_nvenc", VideoCodec::Hevc, HardwareApi::Nvenc, "" };
    struct Case {
        std::string command;
        std::vector<UsableEncoder> usable;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        // The size, the layout and the profile's quality in VA-API's terms;
        // the frames are uploaded after every filter.
        { "tarvoconverter -i '/in/a clip.mp4' -ss 00:00:01 -t 00:00:02 -c:v libx264 -preset medium -crf 23 "
          "-pix_fmt yuv420p -profile:v high -c:a aac -s 1280*720 -movflags +faststart '/out/a clip.mp4'",
            { nvencHevc, vaapiH264 },
            "tarvoconverter -i '/in/a clip.mp4' -ss 00:00:01 -t 00:00:02 -vaapi_device /dev/dri/renderD128 "
            "-c:v h264_vaapi -rc_mode CQP -global_quality 23 -profile:v high -c:a aac -movflags +faststart "
            "-vf scale=1280:720,format=nv12,hwupload '/out/a clip.mp4'" },
        // NVENC takes the frames as they are; its quality needs no bitrate cap.
        { "tarvoconverter -i in.mkv -c:v libx265 -crf 28 -x265-params log-level=error -pix_fmt yuv420p "
          "-c:a libopus out.mkv",
            { vaapiH264, nvencHevc },
            "tarvoconverter -i in.mkv -c:v hevc_nvenc -rc vbr -cq 28 -b:v 0 -pix_fmt yuv420p -c:a libopus "
            "out.mkv" },
        // The profile's own filter comes first; ten bits stay ten bits; an
        // option without a value does not take the next one as its value.
        { "tarvoconverter -i in.mp4 -an -vf 'scale=640:-2' -vcodec libsvtav1 -crf 35 -pix_fmt yuv420p10le "
          "out.webm",
            { vaapiAv1 },
            "tarvoconverter -i in.mp4 -an -vaapi_device '/dev/dri/render D9' -c:v av1_vaapi -rc_mode CQP "
            "-global_quality 140 -vf scale=640:-2,format=p010,hwupload out.webm" },
        { "tarvoconverter -i in.avi -c:v libx264 -profile:v baseline -level 3.0 out.mp4", { vaapiH264 },
            "tarvoconverter -i in.avi -vaapi_device /dev/dri/renderD128 -c:v h264_vaapi -profile:v "
            "constrained_baseline -level 3.0 -vf format=nv12,hwupload out.mp4" },
        // Nothing to move: no card for the codec, a codec no card makes, an
        // encoder named for the input only, a graph of the profile's own.
        { "tarvoconverter -i in.mp4 -c:v libx265 out.mkv", { vaapiH264 }, std::nullopt },
        { "tarvoconverter -i in.mp4 -c:v libvpx-vp9 out.webm", { vaapiH264, nvencHevc }, std::nullopt },
        { "tarvoconverter -c:v libx264 -i in.mp4 -c:v mpeg4 out.avi", { vaapiH264 }, std::nullopt },
        { "tarvoconverter -i in.mp4 -filter_complex '[0:v]split' -c:v libx264 out.mp4", { vaapiH264 },
            std::nullopt },
        { "tarvoconverter -i 'in.mp4 -c:v libx264 out.mp4", { vaapiH264 }, std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithHardwareEncoder(c.command, c.usable), c.expected) << c.command;
}
