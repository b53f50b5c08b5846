// Which profile file an output kind is converted by: the mobile devices and
// the PC video kinds from MP4 on each have one.
#pragma once

#include "options/DeviceValues.h"
#include "options/OutputKind.h"

#include <array>
#include <optional>

namespace kelvara {

// The device kind (the profile file and value tables) of `kind`; nothing for
// a kind the commands of a profile file do not convert.
inline std::optional<DeviceKind> ProfileKindOf(const OutputKind& kind)
{
    constexpr std::array<DeviceKind, 4> kPcFromMp4
        = { DeviceKind::Mp4, DeviceKind::Mkv, DeviceKind::WebM, DeviceKind::Av1 };
    constexpr std::array<DeviceKind, 7> kMobile
        = { DeviceKind::Psp, DeviceKind::Xbox360, DeviceKind::PocketPc, DeviceKind::Pmp,
              DeviceKind::PhoneTablet, DeviceKind::TvStick, DeviceKind::Web };
    if (!kind.UsesProfileFile() || kind.kind < 0)
        return std::nullopt;
    const bool pc = kind.category == OutputCategory::PcVideo;
    const auto at
        = static_cast<std::size_t>(pc ? kind.kind - static_cast<std::int32_t>(PcKind::Mp4) : kind.kind);
    if (pc)
        return at < kPcFromMp4.size() ? std::optional(kPcFromMp4[at]) : std::nullopt;
    return at < kMobile.size() ? std::optional(kMobile[at]) : std::nullopt;
}

// Whether the device is one of the video kinds of today, whose lists are a
// frame size, a quality, a frame rate and the sound's.
constexpr bool IsTodaysVideoKind(DeviceKind kind)
{
    return kind >= DeviceKind::Mp4;
}

} // namespace kelvara
