// The output kind of a batch: a category and a kind within it. Every job of a
// batch is converted to the same kind.
#pragma once

#include <cstdint>

namespace kelvara {

enum class OutputCategory : std::int32_t { PcVideo = 0, MobileVideo = 1, Audio = 2 };

// The kinds of each strip in tab order. The kinds from MP4, Phone & tablet
// and FLAC on came later; their numbers follow the first ones so that stored
// choices keep their meaning.
enum class PcKind : std::int32_t { Avi = 0, Mpeg = 1, Image = 2, Mp4 = 3, Mkv = 4, WebM = 5, Av1 = 6 };
enum class MobileKind : std::int32_t {
    Psp = 0,
    Xbox360 = 1,
    PocketPc = 2,
    Pmp = 3,
    PhoneTablet = 4,
    TvStick = 5,
    Web = 6,
};
enum class AudioKind : std::int32_t {
    Mp3 = 0,
    Wma = 1,
    Wav = 2,
    Mp2 = 3,
    Ac3 = 4,
    Flac = 5,
    Opus = 6,
    Aac = 7,
    Vorbis = 8,
    Alac = 9,
};

struct OutputKind {
    OutputCategory category = OutputCategory::PcVideo;
    std::int32_t kind = 0;

    bool Is(PcKind pc) const
    {
        return category == OutputCategory::PcVideo && kind == static_cast<std::int32_t>(pc);
    }
    bool Is(MobileKind mobile) const
    {
        return category == OutputCategory::MobileVideo && kind == static_cast<std::int32_t>(mobile);
    }
    bool Is(AudioKind audio) const
    {
        return category == OutputCategory::Audio && kind == static_cast<std::int32_t>(audio);
    }
    // AVI and MPEG are converted by the video-editing component, every other
    // kind by the encoder.
    bool UsesVideoEditComponent() const { return Is(PcKind::Avi) || Is(PcKind::Mpeg); }
    // Converted by the commands of a profile file: the mobile devices and the
    // PC kinds from MP4 on.
    bool UsesProfileFile() const
    {
        return category == OutputCategory::MobileVideo
            || (category == OutputCategory::PcVideo && kind >= static_cast<std::int32_t>(PcKind::Mp4));
    }
};

// The kind of a tab of each strip.
constexpr OutputKind OutputKindOf(PcKind pc)
{
    return { OutputCategory::PcVideo, static_cast<std::int32_t>(pc) };
}
constexpr OutputKind OutputKindOf(MobileKind mobile)
{
    return { OutputCategory::MobileVideo, static_cast<std::int32_t>(mobile) };
}
constexpr OutputKind OutputKindOf(AudioKind audio)
{
    return { OutputCategory::Audio, static_cast<std::int32_t>(audio) };
}

} // namespace kelvara
