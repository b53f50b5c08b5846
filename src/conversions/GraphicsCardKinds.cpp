#include "conversions/GraphicsCardKinds.h"

#include <algorithm>
#include <array>

namespace kelvara {
namespace {

struct KindCodec {
    OutputKind kind;
    VideoCodec codec;
};

// The codecs of each kind's profiles that a card may encode; WebM's VP9 is
// not among the cards' encoders, and the older kinds keep their own codecs.
constexpr std::array<KindCodec, 7> kCardKinds = { {
    { { OutputCategory::PcVideo, static_cast<int>(PcKind::Mp4) }, VideoCodec::H264 },
    { { OutputCategory::PcVideo, static_cast<int>(PcKind::Mkv) }, VideoCodec::Hevc },
    { { OutputCategory::PcVideo, static_cast<int>(PcKind::Mkv) }, VideoCodec::H264 },
    { { OutputCategory::PcVideo, static_cast<int>(PcKind::Av1) }, VideoCodec::Av1 },
    { { OutputCategory::MobileVideo, static_cast<int>(MobileKind::PhoneTablet) }, VideoCodec::H264 },
    { { OutputCategory::MobileVideo, static_cast<int>(MobileKind::TvStick) }, VideoCodec::Hevc },
    { { OutputCategory::MobileVideo, static_cast<int>(MobileKind::Web) }, VideoCodec::H264 },
} };

} // namespace

bool GraphicsCardServes(const OutputKind& kind, std::span<const UsableEncoder> encoders)
{
    return std::ranges::any_of(kCardKinds, [&](const KindCodec& row) {
        return row.kind.category == kind.category && row.kind.kind == kind.kind
            && std::ranges::find(encoders, row.codec, &UsableEncoder::codec) != encoders.end();
    });
}

} // namespace kelvara
