#include "Mp3Frames.h"

#include <algorithm>

namespace kelvara::pmp {

namespace {

constexpr std::size_t kHeaderSize = 4;

unsigned char ByteAt(std::string_view bytes, std::size_t i)
{
    return static_cast<unsigned char>(bytes[i]);
}

} // namespace

std::optional<std::uint32_t> SamplesPerMpegAudioFrame(std::string_view frame)
{
    if (frame.size() < kHeaderSize || ByteAt(frame, 0) != 0xFF || (ByteAt(frame, 1) & 0xE0) != 0xE0)
        return std::nullopt;
    const unsigned version = (ByteAt(frame, 1) >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const unsigned layer = (ByteAt(frame, 1) >> 1) & 3; // 3 layer I, 2 layer II, 1 layer III
    switch (layer) {
    case 3:
        return 384;
    case 2:
        return 1152;
    case 1:
        return version == 3 ? 1152 : 576;
    default:
        return std::nullopt;
    }
}

std::string SilentMpegAudioFrame(std::string_view model)
{
    std::string frame(model.size(), '\0');
    std::copy_n(model.begin(), std::min(kHeaderSize, model.size()), frame.begin());
    if (frame.size() >= 2)
        frame[1] = static_cast<char>(ByteAt(frame, 1) | 0x01);
    return frame;
}

bool IsSilentMpegAudioFrame(std::string_view frame)
{
    return frame.size() > kHeaderSize && (ByteAt(frame, 1) & 0x01) != 0
        && std::all_of(frame.begin() + kHeaderSize, frame.end(), [](char c) { return c == '\0'; });
}

} // namespace kelvara::pmp
