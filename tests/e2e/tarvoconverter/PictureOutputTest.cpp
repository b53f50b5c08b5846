// Still pictures and GIF animations, judged by readers we did not write:
// ffprobe and ImageMagick for the types ffmpeg writes; Ghostscript,
// pdfinfo, libwmf and emf2svg for the ones the converter writes itself.
#include "MediaWorkspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace kelvara::tarvo::testing;

namespace {

constexpr int kColourTolerance = 24;

std::vector<std::string> StillPictureCommand(
    const std::string& input, const std::string& start, const std::string& size, const std::string& output)
{
    std::vector<std::string> arguments { "-i", input, "-f", "image2", "-ss", start, "-t", "0.001" };
    if (!size.empty()) {
        arguments.push_back("-s");
        arguments.push_back(size);
    }
    arguments.push_back(output);
    return arguments;
}

::testing::AssertionResult ColourNear(const Rgb& seen, const Rgb& expected)
{
    if (std::abs(seen.r - expected.r) <= kColourTolerance && std::abs(seen.g - expected.g) <= kColourTolerance
        && std::abs(seen.b - expected.b) <= kColourTolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "saw (" << seen.r << "," << seen.g << "," << seen.b << "), expected (" << expected.r << ","
        << expected.g << "," << expected.b << ")";
}

// The centre of each quadrant, wherever the reader scaled the picture to.
void ExpectQuadrantColours(const Pixels& pixels)
{
    const int left = pixels.width / 4;
    const int right = pixels.width * 3 / 4;
    const int top = pixels.height / 4;
    const int bottom = pixels.height * 3 / 4;
    EXPECT_TRUE(ColourNear(pixels.at(left, top), { 255, 0, 0 })) << "top left";
    EXPECT_TRUE(ColourNear(pixels.at(right, top), { 0, 255, 0 })) << "top right";
    EXPECT_TRUE(ColourNear(pixels.at(left, bottom), { 0, 0, 255 })) << "bottom left";
    EXPECT_TRUE(ColourNear(pixels.at(right, bottom), { 255, 255, 0 })) << "bottom right";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string DecodeBase64(const std::string& text)
{
    std::string bytes;
    unsigned buffer = 0;
    int bits = 0;
    for (char c : text) {
        const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        const char* found = std::strchr(digits, c);
        if (c == '=' || !found || c == 0)
            continue;
        buffer = (buffer << 6) | static_cast<unsigned>(found - digits);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<char>((buffer >> bits) & 0xFF));
        }
    }
    return bytes;
}

// ---- Picture types that ffmpeg writes ---------------------------------------

struct FfmpegPictureKind {
    const char* extension;
    const char* codec;
};

void PrintTo(const FfmpegPictureKind& kind, std::ostream* out)
{
    *out << kind.extension;
}

class FfmpegPicture : public ::testing::TestWithParam<FfmpegPictureKind> { };

TEST_P(FfmpegPicture, BuiltInCommandGivesOneFrameAtTheRequestedSize)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path(std::string("clip \"1\".") + GetParam().extension);

    const ProgramResult run
        = RunConverter(StillPictureCommand(workspace.quadrants(), "00:00:00", "320*240", output));

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(probe(output, "stream=codec_name"), GetParam().codec);
    EXPECT_EQ(probe(output, "stream=width,height"), "320\n240");
    const std::optional<Pixels> pixels = ReadWithImageMagick(output);
    ASSERT_TRUE(pixels) << "ImageMagick cannot read " << output;
    EXPECT_EQ(pixels->width, 320);
    ExpectQuadrantColours(*pixels);
}

INSTANTIATE_TEST_SUITE_P(EveryType, FfmpegPicture,
    ::testing::Values(FfmpegPictureKind { "gif", "gif" }, FfmpegPictureKind { "bmp", "bmp" },
        FfmpegPictureKind { "jpg", "mjpeg" }, FfmpegPictureKind { "pcx", "pcx" },
        FfmpegPictureKind { "tiff", "tiff" }, FfmpegPictureKind { "png", "png" },
        FfmpegPictureKind { "j2k", "jpeg2000" }),
    [](const auto& info) { return std::string(info.param.extension); });

TEST(StillPicture, J2kIsABareCodestream)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("stream.j2k");

    const ProgramResult run = RunConverter(StillPictureCommand(workspace.clip(), "00:00:01", "", output));

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadFile(output).starts_with("\xFF\x4F\xFF\x51")) << "no SOC and SIZ marker at the start";
}

TEST(StillPicture, StartChoosesTheFrame)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string first = workspace.path("first.png");
    const std::string later = workspace.path("later.psd");

    ASSERT_EQ(RunConverter(StillPictureCommand(workspace.timeline(), "00:00:00", "", first)).exitCode, 0);
    ASSERT_EQ(RunConverter(StillPictureCommand(workspace.timeline(), "00:00:01", "", later)).exitCode, 0);

    const std::optional<Pixels> firstPixels = ReadWithImageMagick(first);
    const std::optional<Pixels> laterPixels = ReadWithImageMagick(later);
    ASSERT_TRUE(firstPixels && laterPixels);
    EXPECT_TRUE(ColourNear(firstPixels->at(32, 24), { 255, 0, 0 }));
    EXPECT_TRUE(ColourNear(laterPixels->at(32, 24), { 0, 0, 255 }));
}

TEST(StillPicture, StartBeyondTheEndFailsWithAReason)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string jpeg = workspace.path("late.jpg");
    const std::string eps = workspace.path("late.eps");

    const ProgramResult jpegRun = RunConverter(StillPictureCommand(workspace.clip(), "00:00:10", "", jpeg));
    const ProgramResult epsRun = RunConverter(StillPictureCommand(workspace.clip(), "00:00:10", "", eps));

    EXPECT_NE(jpegRun.exitCode, 0);
    EXPECT_NE(jpegRun.err.find(jpeg), std::string::npos) << jpegRun.err;
    EXPECT_NE(epsRun.exitCode, 0);
    EXPECT_FALSE(epsRun.err.empty());
    EXPECT_FALSE(std::filesystem::exists(eps));
}

// ---- Picture types the converter writes itself --------------------------------

struct OwnPictureKind {
    const char* extension;
    std::function<std::optional<Pixels>(const std::string&)> read;
    bool keepsPixelSize;
};

void PrintTo(const OwnPictureKind& kind, std::ostream* out)
{
    *out << kind.extension;
}

std::optional<Pixels> ReadEps(const std::string& file)
{
    return RenderWithGhostscript(file, true);
}

std::optional<Pixels> ReadPdf(const std::string& file)
{
    const ProgramResult info = RunProgram({ "pdfinfo", file });
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Page size:       160 x 120 pts"), std::string::npos) << info.out;
    return RenderWithGhostscript(file, false);
}

std::optional<Pixels> ReadWmf(const std::string& file)
{
    const std::string rendered = file + ".png";
    const ProgramResult run = RunProgram({ "wmf2gd", "-t", "png", "-o", rendered, file });
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return ReadWithImageMagick(rendered);
}

std::optional<Pixels> ReadEmf(const std::string& file)
{
    const std::string svg = file + ".svg";
    const ProgramResult run = RunProgram({ "emf2svg-conv", "-i", file, "-o", svg });
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // emf2svg draws the bitmap record as an embedded PNG.
    const std::string text = ReadFile(svg);
    const std::string marker = "data:image/png;base64,";
    const std::size_t start = text.find(marker);
    if (start == std::string::npos)
        return std::nullopt;
    const std::size_t end = text.find('"', start);
    const std::string png = file + ".png";
    std::ofstream(png, std::ios::binary)
        << DecodeBase64(text.substr(start + marker.size(), end - start - marker.size()));
    return ReadWithImageMagick(png);
}

class OwnPicture : public ::testing::TestWithParam<OwnPictureKind> { };

TEST_P(OwnPicture, ReaderSeesTheFrameInItsColoursTheRightWayUp)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path(std::string("frame 'é'.") + GetParam().extension);

    const ProgramResult run
        = RunConverter(StillPictureCommand(workspace.quadrants(), "00:00:00", "", output));

    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::optional<Pixels> pixels = GetParam().read(output);
    ASSERT_TRUE(pixels) << "the reader could not read " << output;
    if (GetParam().keepsPixelSize) {
        EXPECT_EQ(pixels->width, 160);
        EXPECT_EQ(pixels->height, 120);
    } else { // rendered at the reader's own resolution
        EXPECT_EQ(pixels->width * 3, pixels->height * 4);
    }
    ExpectQuadrantColours(*pixels);
}

INSTANTIATE_TEST_SUITE_P(EveryType, OwnPicture,
    ::testing::Values(OwnPictureKind { "eps", ReadEps, true }, OwnPictureKind { "pdf", ReadPdf, true },
        OwnPictureKind { "psd", ReadWithImageMagick, true }, OwnPictureKind { "wmf", ReadWmf, false },
        OwnPictureKind { "emf", ReadEmf, true }),
    [](const auto& info) { return std::string(info.param.extension); });

// ---- GIF animation -------------------------------------------------------------

double PsnrOfFrame(const std::string& gif, const std::string& source, int frame)
{
    const std::string select = "select=eq(n\\," + std::to_string(frame) + "),format=rgb24";
    const ProgramResult run = RunProgram({ "ffmpeg", "-hide_banner", "-nostdin", "-i", gif, "-i", source,
        "-lavfi", "[0]" + select + "[a];[1]fps=15," + select + "[b];[a][b]psnr", "-f", "null", "-" });
    const std::size_t found = run.err.find("average:");
    return found == std::string::npos ? 0.0 : std::atof(run.err.c_str() + found + 8);
}

int CountFrames(const std::string& file)
{
    const ProgramResult run = RunProgram({ "ffprobe", "-v", "error", "-count_frames", "-show_entries",
        "stream=nb_read_frames", "-of", "default=nw=1:nk=1", file });
    return std::atoi(run.out.c_str());
}

TEST(GifAnimation, TrimmedClipAnimatesAtAFrameRateOfItsOwnWithPalettesOfItsOwn)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("moving.gif");

    const ProgramResult run = RunConverter(
        { "-i", workspace.gradient(), "-ss", "00:00:00", "-t", "00:00:01", "-s", "160*120", output });

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(probe(output, "stream=codec_name"), "gif");
    EXPECT_NEAR(ProbeDuration(output), 1.0, 0.1);
    EXPECT_EQ(CountFrames(output), 15);
    // A fixed 256-colour palette reaches about 20 dB on these gradients.
    EXPECT_GT(PsnrOfFrame(output, workspace.gradient(), 0), 35.0);
    EXPECT_GT(PsnrOfFrame(output, workspace.gradient(), 10), 35.0);
}

// The clip's palette is a temporary file of the first run, read back inside
// a filter graph: any folder name must survive that, and nothing may stay.
TEST(GifAnimation, ThePaletteFileWorksInAnyTemporaryFolderAndIsRemoved)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string temporary = workspace.path("tmp 'a' [b],c;d:e\\f");
    std::filesystem::create_directory(temporary);
    const std::string output = workspace.path("palette from odd folder.gif");

    const ProgramResult run = RunConverter(
        { "-i", workspace.gradient(), "-t", "00:00:01", "-s", "80*60", output }, { { "TMPDIR", temporary } });

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountFrames(output), 15);
    EXPECT_EQ(probe(output, "stream=width"), "80");
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

} // namespace
