// What the AVI and MPEG option panels select when the window opens, and the
// option fields a new job starts from: what the panels select when it is
// added, so a job converts as the panels show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

class CodecList;

inline constexpr double kDefaultAviFrameRate = 25.0; // "25      HZ"
inline constexpr int kDefaultMpegType = 6; // "MPEG1 Standard"
inline constexpr double kDefaultMpegFrameRate = 25.0; // "25         HZ"
inline constexpr int kDefaultMpegAudioBitrate = 128; // "128 Kbit/s"
inline constexpr int kDefaultMpegAudioRate = 44100; // "44100   "

// The names a codec combo lists: the component's names in its order, with
// leading blanks trimmed and empty names left out. Combo positions count in
// this list.
std::vector<std::string> CodecComboItems(const CodecList& codecs);

// The position a codec combo selects first: the first item that begins with
// `prefix`, ignoring case; 0 when none does.
int DefaultCodecPosition(const std::vector<std::string>& items, std::string_view prefix);

struct AviCodecDefaults {
    int video = 0;
    int audio = 0;
};

// The AVI panel's first choices among the component's codecs: the first
// "DivX" video codec and the first "MPEG Layer-3" sound codec.
AviCodecDefaults DefaultAviCodecs(const CodecList& videoCodecs, const CodecList& audioCodecs);

// A job's AVI and MPEG option fields as the panels select them: a new job
// starts from what the panels show when it is added.
struct JobPanelOptions {
    JobPanelOptions() = default;
    // The panels as the window opens them, with the component's codec
    // positions; implicit, so a job made outside the window takes the codec
    // defaults alone.
    JobPanelOptions(AviCodecDefaults codecs) // NOLINT(google-explicit-constructor)
        : aviVideoCodec(codecs.video)
        , aviAudioCodec(codecs.audio)
    {
    }

    double aviFrameRate = kDefaultAviFrameRate;
    int aviVideoCodec = 0;
    int aviAudioCodec = 0;
    int mpegType = kDefaultMpegType;
    double mpegFrameRate = kDefaultMpegFrameRate;
    int mpegAudioBitrate = kDefaultMpegAudioBitrate;
    int mpegAudioRate = kDefaultMpegAudioRate;
};

} // namespace kelvara
