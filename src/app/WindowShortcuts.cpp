#include "app/WindowShortcuts.h"

#include <QAction>
#include <algorithm>

namespace kelvara {
namespace {

using C = WindowCommand;
using S = ShortcutScope;

// What desktop users expect of a converter's window. Ctrl+Tab and Ctrl+Page
// keys are the tab keys of every tabbed window; Space plays only in the
// preview, since elsewhere it presses the focused button.
constexpr WindowShortcut kShortcuts[] = {
    { C::AddVideo, S::Window, { Qt::CTRL | Qt::Key_O } },
    { C::RemoveVideo, S::Window, { QKeyCombination(Qt::Key_Delete) } },
    { C::ClearVideo, S::Window, { Qt::CTRL | Qt::SHIFT | Qt::Key_Delete } },
    { C::Start, S::Window, { Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter } },
    { C::Stop, S::Window, { QKeyCombination(Qt::Key_Escape) } },
    { C::Close, S::Window, { Qt::CTRL | Qt::Key_Q } },
    { C::Help, S::Window, { QKeyCombination(Qt::Key_F1) } },
    { C::NextKind, S::Window, { Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown } },
    { C::PreviousKind, S::Window, { Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp } },
    { C::PlayPause, S::Preview, { QKeyCombination(Qt::Key_Space) } },
};

const WindowShortcut* Find(WindowCommand command)
{
    const auto found = std::ranges::find(kShortcuts, command, &WindowShortcut::command);
    return found == std::end(kShortcuts) ? nullptr : found;
}

} // namespace

std::span<const WindowShortcut> WindowShortcuts()
{
    return kShortcuts;
}

QList<QKeySequence> KeysOf(WindowCommand command)
{
    QList<QKeySequence> keys;
    if (const WindowShortcut* shortcut = Find(command))
        for (const QKeyCombination key : shortcut->keys)
            if (key.key() != Qt::Key_unknown)
                keys << QKeySequence(key);
    return keys;
}

QKeySequence ShownKeyOf(WindowCommand command)
{
    const QList<QKeySequence> keys = KeysOf(command);
    return keys.isEmpty() ? QKeySequence() : keys.first();
}

// A pop-up menu that no menu bar holds never takes a shortcut; the widget
// scope says so outright, should the menu ever be attached somewhere.
void ShowKey(QAction& item, WindowCommand command)
{
    item.setShortcut(ShownKeyOf(command));
    item.setShortcutContext(Qt::WidgetShortcut);
}

bool IsTypingKey(QKeyCombination key)
{
    const bool functionKey = key.key() >= Qt::Key_F1 && key.key() <= Qt::Key_F35;
    return !functionKey
        && !(key.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

int SteppedTab(int current, int count, int step)
{
    if (count <= 0)
        return -1;
    return ((current + step) % count + count) % count;
}

} // namespace kelvara
