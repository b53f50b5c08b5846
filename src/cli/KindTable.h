// The output kinds by the short ids the command line names them with: the
// one table that the arguments, --list and the tests read. The names shown
// beside them are the window's own tab labels and list items.
#pragma once

#include "options/OutputKind.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kelvara::cli {

struct KindId {
    std::string_view id;
    OutputKind kind;
};

// Every kind the window offers, strip by strip in tab order.
std::span<const KindId> KindIds();
// The kind named `id` (exactly as listed); nothing for an unknown id.
std::optional<OutputKind> KindById(std::string_view id);
// The id of `kind`; empty for a kind outside the table.
std::string_view IdOfKind(const OutputKind& kind);

// The picture types by id: the file type ("jpg", "png"), and
// "gif-animation" for the animation (item 0).
std::string PictureId(int position);
std::optional<int> PictureById(std::string_view id);

// An MPEG type by its name in the window's list, ignoring case, blanks and
// dashes ("DVD PAL", "dvd-pal"), or by a part of it that names one type
// alone ("mpeg1").
std::optional<int> MpegTypeByName(std::string_view name);
// The lower-case, dashed form of a type's name: "vcd-pal".
std::string MpegTypeId(int position);

} // namespace kelvara::cli
