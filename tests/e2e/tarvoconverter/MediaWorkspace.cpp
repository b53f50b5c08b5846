#include "MediaWorkspace.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kelvara::tarvo::testing {

namespace {

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \n\r\t");
    const std::size_t last = text.find_last_not_of(" \n\r\t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

void SkipBlanksAndComments(const std::string& data, std::size_t& position)
{
    while (position < data.size()) {
        if (data[position] == '#')
            position = data.find('\n', position);
        else if (std::isspace(static_cast<unsigned char>(data[position])))
            ++position;
        else
            return;
    }
}

int ReadNumber(const std::string& data, std::size_t& position)
{
    SkipBlanksAndComments(data, position);
    int value = 0;
    while (position < data.size() && std::isdigit(static_cast<unsigned char>(data[position])))
        value = value * 10 + (data[position++] - '0');
    return value;
}

} // namespace

std::string ConverterPath()
{
    return std::string(KELVARA_TOOL_DIR) + "/tarvoconverter";
}

Rgb Pixels::at(int x, int y) const
{
    const std::size_t offset = (static_cast<std::size_t>(y) * width + x) * 3;
    return { rgb[offset], rgb[offset + 1], rgb[offset + 2] };
}

std::optional<Pixels> ParsePpm(const std::string& data)
{
    if (!data.starts_with("P6"))
        return std::nullopt;
    std::size_t position = 2;
    Pixels pixels;
    pixels.width = ReadNumber(data, position);
    pixels.height = ReadNumber(data, position);
    const int maximum = ReadNumber(data, position);
    ++position;
    const std::size_t size = static_cast<std::size_t>(pixels.width) * pixels.height * 3;
    if (maximum != 255 || pixels.width <= 0 || data.size() < position + size)
        return std::nullopt;
    pixels.rgb.assign(data.begin() + position, data.begin() + position + size);
    return pixels;
}

MediaWorkspace& MediaWorkspace::instance()
{
    static MediaWorkspace workspace;
    return workspace;
}

// Inside the test's temporary folder, a folder whose name the encoder must
// pass through untouched: both quotes, a $ and non-ASCII letters.
MediaWorkspace::MediaWorkspace()
    : m_folder(m_temporary.File("tarvo e2e 'single' \"double\" $HOME Grüße") + "/")
{
    std::filesystem::create_directories(m_folder);
}

std::string MediaWorkspace::make(const std::string& name, const std::vector<std::string>& ffmpegArguments)
{
    const std::string file = path(name);
    if (std::filesystem::exists(file))
        return file;
    std::vector<std::string> argv { "ffmpeg", "-v", "error", "-nostdin", "-y" };
    argv.insert(argv.end(), ffmpegArguments.begin(), ffmpegArguments.end());
    argv.push_back(file);
    const ProgramResult made = RunProgram(argv);
    EXPECT_EQ(made.exitCode, 0) << "making " << name << ": " << made.err;
    return file;
}

std::string MediaWorkspace::clip()
{
    return make("clip source.avi",
        { "-f", "lavfi", "-i", "testsrc2=s=160x120:r=25:d=2", "-f", "lavfi", "-i",
            "sine=frequency=440:sample_rate=44100:duration=2", "-c:v", "mpeg4", "-q:v", "3", "-c:a",
            "pcm_s16le", "-shortest" });
}

std::string MediaWorkspace::quadrants()
{
    return make("quadrants.mkv",
        { "-filter_complex",
            "color=c=red:s=80x60:d=1[a];color=c=lime:s=80x60:d=1[b];"
            "color=c=blue:s=80x60:d=1[c];color=c=yellow:s=80x60:d=1[d];"
            "[a][b]hstack[top];[c][d]hstack[bottom];[top][bottom]vstack,format=rgb24",
            "-c:v", "png" });
}

std::string MediaWorkspace::timeline()
{
    return make("timeline.mkv",
        { "-filter_complex",
            "color=c=red:s=64x48:r=25:d=1[a];color=c=blue:s=64x48:r=25:d=1[b];"
            "[a][b]concat=n=2,format=rgb24",
            "-c:v", "png" });
}

std::string MediaWorkspace::gradient()
{
    return make("gradient.mkv",
        { "-f", "lavfi", "-i", "gradients=s=160x120:r=25:d=1:speed=0.002:seed=7", "-vf", "format=yuv420p",
            "-c:v", "ffv1" });
}

std::string MediaWorkspace::LongAudio()
{
    return make("long sound.wav", { "-f", "lavfi", "-i", "sine=frequency=440:duration=30" });
}

std::string MediaWorkspace::SurroundSound()
{
    // Steady tones are harder on the AC-3 encoder's bit allocation than noise.
    return make("surround 5.1.wav",
        { "-f", "lavfi", "-i",
            "aevalsrc=sin(440*2*PI*t)|sin(550*2*PI*t)|sin(660*2*PI*t)|sin(50*2*PI*t)|sin(3000*2*PI*t)"
            "|sin(5000*2*PI*t):c=5.1:s=48000:d=2" });
}

std::string MediaWorkspace::LongClip()
{
    return make("long clip.mp4",
        { "-f", "lavfi", "-i", "testsrc2=s=160x120:r=25:d=30", "-f", "lavfi", "-i",
            "sine=frequency=440:duration=30", "-c:v", "mpeg4", "-q:v", "5", "-c:a", "aac", "-shortest" });
}

std::string MediaWorkspace::SilentClip()
{
    return make("silent clip.mp4", { "-f", "lavfi", "-i", "testsrc2=s=160x120:r=25:d=3", "-c:v", "mpeg4" });
}

std::string MediaWorkspace::ToneOnly()
{
    return make("tone only.mp3", { "-f", "lavfi", "-i", "sine=frequency=440:duration=3" });
}

ProgramResult RunConverter(const std::vector<std::string>& arguments, const Environment& environment)
{
    std::vector<std::string> argv { ConverterPath() };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProgram(argv, 60s, environment);
}

std::string probe(const std::string& file, const std::string& entries)
{
    const ProgramResult result = RunProgram(
        { "ffprobe", "-v", "error", "-show_entries", entries, "-of", "default=nw=1:nk=1", file });
    return result.exitCode == 0 ? trimmed(result.out) : std::string();
}

double ProbeDuration(const std::string& file)
{
    const std::string text = probe(file, "format=duration");
    return text.empty() ? -1.0 : std::atof(text.c_str());
}

std::optional<Pixels> RenderWithGhostscript(const std::string& file, bool encapsulated)
{
    std::vector<std::string> argv { "gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-r72", "-sDEVICE=ppmraw",
        "-sOutputFile=-" };
    if (encapsulated)
        argv.emplace_back("-dEPSCrop");
    argv.push_back(file);
    const ProgramResult result = RunProgram(argv);
    return result.exitCode == 0 ? ParsePpm(result.out) : std::nullopt;
}

std::optional<Pixels> ReadWithImageMagick(const std::string& file)
{
    // ImageMagick 6 from Debian; another "convert" may come first in PATH.
    const ProgramResult result = RunProgram({ "/usr/bin/convert", file, "-depth", "8", "ppm:-" });
    return result.exitCode == 0 ? ParsePpm(result.out) : std::nullopt;
}

} // namespace kelvara::tarvo::testing
