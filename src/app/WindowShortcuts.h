// The main window's keys: which command each key gives, where it works, and
// which keys a focused text field keeps for its own editing.
#pragma once

#include <QKeySequence>
#include <array>
#include <span>

class QAction;

namespace kelvara {

enum class WindowCommand {
    AddVideo,
    RemoveVideo,
    ClearVideo,
    Start,
    Stop,
    Close,
    Help,
    NextKind,
    PreviousKind,
    PlayPause,
};

enum class ShortcutScope {
    Window, // anywhere in the main window
    Preview, // only while the focus is on the preview or its trim range
};

struct WindowShortcut {
    WindowCommand command;
    ShortcutScope scope;
    // The first key is the one the menus show; an empty second one is none.
    std::array<QKeyCombination, 2> keys;
};

std::span<const WindowShortcut> WindowShortcuts();
// The keys of a command, as an action takes them.
QList<QKeySequence> KeysOf(WindowCommand command);
// The key a menu shows beside the command's item; empty for none.
QKeySequence ShownKeyOf(WindowCommand command);
// Shows the command's key beside a menu item. Only shown: the window's own
// action gives the command, so a choice from the menu is not doubled.
void ShowKey(QAction& item, WindowCommand command);
// Keys without Ctrl, Alt or Meta type or edit text, function keys aside: a
// focused text field keeps them, so Delete, Space and Escape there are the
// field's, while F1 still opens the help.
bool IsTypingKey(QKeyCombination key);
// The tab `step` places from `current` in a strip of `count` tabs, going
// round at either end; -1 for a strip without tabs.
int SteppedTab(int current, int count, int step);

} // namespace kelvara
