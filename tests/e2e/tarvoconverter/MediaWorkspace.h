// A temporary folder whose name holds blanks, quotes, $ and non-ASCII
// letters, the small sources the tests convert (made with ffmpeg's lavfi on
// first use), and the outside readers that judge the outputs.
#pragma once

#include "support/TempFolder.h"

#include "ProcessRunner.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvara::tarvo::testing {

std::string ConverterPath();

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    Rgb at(int x, int y) const;
};

// Readers only take 8-bit binary PPM, which every renderer here can write.
std::optional<Pixels> ParsePpm(const std::string& data);

class MediaWorkspace {
public:
    static MediaWorkspace& instance();

    std::string path(const std::string& name) const { return m_folder + name; }
    const std::string& folder() const { return m_folder; }

    std::string clip(); // 2 s, 160x120 test pattern at 25 fps, sine sound
    std::string quadrants(); // 160x120: red, green / blue, yellow
    std::string timeline(); // 2 s: red for the first second, then blue
    std::string gradient(); // 1 s of slowly moving colour gradients
    std::string LongAudio(); // 30 s sine
    std::string SurroundSound(); // 2 s of 5.1 sound, a tone of its own in each channel
    std::string LongClip(); // 30 s, 160x120 test pattern with sine sound, MPEG-4 in MP4
    std::string SilentClip(); // 3 s, 160x120 test pattern, no sound
    std::string ToneOnly(); // 3 s sine as MP3, no picture

private:
    MediaWorkspace();
    std::string make(const std::string& name, const std::vector<std::string>& ffmpegArguments);

    kelvara::testing::TempFolder m_temporary;
    std::string m_folder;
};

ProgramResult RunConverter(const std::vector<std::string>& arguments, const Environment& environment = {});

// ffprobe's values for entries such as "stream=codec_name", one per line.
std::string probe(const std::string& file, const std::string& entries);
double ProbeDuration(const std::string& file);

std::optional<Pixels> RenderWithGhostscript(const std::string& file, bool encapsulated);
std::optional<Pixels> ReadWithImageMagick(const std::string& file);

} // namespace kelvara::tarvo::testing
