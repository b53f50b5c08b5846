#include "cli/KindTable.h"

#include "options/OptionItems.h"
#include "options/OutputCatalogue.h"

#include <array>
#include <cctype>

namespace kelvara::cli {
namespace {

constexpr OutputKind Pc(PcKind kind)
{
    return { OutputCategory::PcVideo, static_cast<std::int32_t>(kind) };
}
constexpr OutputKind Mobile(MobileKind kind)
{
    return { OutputCategory::MobileVideo, static_cast<std::int32_t>(kind) };
}
constexpr OutputKind Audio(AudioKind kind)
{
    return { OutputCategory::Audio, static_cast<std::int32_t>(kind) };
}

constexpr std::array<KindId, 24> kKindIds = { {
    { "avi", Pc(PcKind::Avi) },
    { "mpeg", Pc(PcKind::Mpeg) },
    { "image", Pc(PcKind::Image) },
    { "mp4", Pc(PcKind::Mp4) },
    { "mkv", Pc(PcKind::Mkv) },
    { "webm", Pc(PcKind::WebM) },
    { "av1", Pc(PcKind::Av1) },
    { "psp", Mobile(MobileKind::Psp) },
    { "xbox360", Mobile(MobileKind::Xbox360) },
    { "pocketpc", Mobile(MobileKind::PocketPc) },
    { "pmp", Mobile(MobileKind::Pmp) },
    { "phone", Mobile(MobileKind::PhoneTablet) },
    { "tv", Mobile(MobileKind::TvStick) },
    { "web", Mobile(MobileKind::Web) },
    { "mp3", Audio(AudioKind::Mp3) },
    { "wma", Audio(AudioKind::Wma) },
    { "wav", Audio(AudioKind::Wav) },
    { "mp2", Audio(AudioKind::Mp2) },
    { "ac3", Audio(AudioKind::Ac3) },
    { "flac", Audio(AudioKind::Flac) },
    { "opus", Audio(AudioKind::Opus) },
    { "aac", Audio(AudioKind::Aac) },
    { "ogg", Audio(AudioKind::Vorbis) },
    { "alac", Audio(AudioKind::Alac) },
} };

// "DVD PAL", "dvd-pal" and "dvd_pal" all read "dvdpal".
std::string Folded(std::string_view text)
{
    std::string folded;
    for (const char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)) != 0)
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

} // namespace

std::span<const KindId> KindIds()
{
    return kKindIds;
}

std::optional<OutputKind> KindById(std::string_view id)
{
    for (const KindId& entry : kKindIds)
        if (entry.id == id)
            return entry.kind;
    return std::nullopt;
}

std::string_view IdOfKind(const OutputKind& kind)
{
    for (const KindId& entry : kKindIds)
        if (entry.kind.category == kind.category && entry.kind.kind == kind.kind)
            return entry.id;
    return {};
}

// The list item ends in the file pattern: "... gif picture(*.gif)".
std::string PictureId(int position)
{
    const auto types = PictureTypes();
    if (position < 0 || static_cast<std::size_t>(position) >= types.size())
        return {};
    if (position == 0)
        return "gif-animation";
    const std::string_view text = types[static_cast<std::size_t>(position)].comboText;
    const std::size_t start = text.rfind("(*.");
    const std::size_t end = text.rfind(')');
    if (start == std::string_view::npos || end == std::string_view::npos || end < start + 3)
        return {};
    return std::string(text.substr(start + 3, end - start - 3));
}

std::optional<int> PictureById(std::string_view id)
{
    const int count = static_cast<int>(PictureTypes().size());
    for (int position = 0; position < count; ++position)
        if (PictureId(position) == id)
            return position;
    return std::nullopt;
}

std::optional<int> MpegTypeByName(std::string_view name)
{
    const std::string wanted = Folded(name);
    if (wanted.empty())
        return std::nullopt;
    std::optional<int> partial;
    int partials = 0;
    for (std::size_t position = 0; position < option_items::kMpegTypes.size(); ++position) {
        const std::string folded = Folded(option_items::kMpegTypes[position]);
        if (folded == wanted)
            return static_cast<int>(position);
        if (folded.starts_with(wanted)) {
            partial = static_cast<int>(position);
            ++partials;
        }
    }
    return partials == 1 ? partial : std::nullopt;
}

std::string MpegTypeId(int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= option_items::kMpegTypes.size())
        return {};
    std::string id;
    for (const char c : option_items::kMpegTypes[static_cast<std::size_t>(position)])
        id += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return id;
}

} // namespace kelvara::cli
