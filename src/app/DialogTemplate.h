// The main dialog's template as data: every control's id, class, rectangle
// and caption. The dialog, the visibility tables and the gallery's mock-up
// all read this one table.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "options/ControlIds.h"

namespace kelvara {

enum class ControlKind {
    BitmapButton, // hover bitmap at `resource`, idle at resource + 1
    IconButton, // hover icon at `resource`, idle at resource - 1
    CheckBox,
    ImageTab, // `resource` is the first tab's bitmap, `count` tabs
    Combo,
    TextField, // a number
    PathField, // a folder path: any text
    Label,
    GroupBox,
    FadePicture,
    Reserved, // a place kept for a control another part of the program supplies
    Banner,
    TextButton, // a caption on a light plate, as in the message boxes
};

struct ControlSpec {
    int id;
    ControlKind kind;
    int x;
    int y;
    int width;
    int height;
    std::string_view caption;
    // What a screen reader calls the control when its caption does not say it:
    // a picture button's command, a combo's or field's label.
    std::string_view accessibleName = {};
    int resource = 0;
    int count = 0;
    bool hiddenAtStart = false;
};

inline constexpr int kMainDialogWidth = 802;
inline constexpr int kMainDialogHeight = 565;

std::span<const ControlSpec> MainDialogTemplate();
std::optional<ControlSpec> FindControl(int id);

} // namespace kelvara
