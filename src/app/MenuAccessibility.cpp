#include "app/MenuAccessibility.h"

#include <QAccessibleObject>
#include <QApplication>
#include <QMenu>

namespace kelvara {
namespace {

QList<QMenu*> OpenMenus()
{
    QList<QMenu*> menus;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* menu = qobject_cast<QMenu*>(widget); menu && menu->isVisible())
            menus << menu;
    return menus;
}

// Qt leaves every pop-up window out of the application's children, menus
// too, so a reader that walks the program's windows never finds an open
// menu, although the menu names the application as its parent. The open
// menus follow the windows here, which makes both directions agree.
class ApplicationWithMenus : public QAccessibleApplication {
public:
    int childCount() const override
    {
        return QAccessibleApplication::childCount() + static_cast<int>(OpenMenus().size());
    }
    QAccessibleInterface* child(int index) const override
    {
        const int windows = QAccessibleApplication::childCount();
        if (index < windows)
            return QAccessibleApplication::child(index);
        const QList<QMenu*> menus = OpenMenus();
        const int menu = index - windows;
        return menu < menus.size() ? QAccessible::queryAccessibleInterface(menus[menu]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const int window = QAccessibleApplication::indexOfChild(child);
        if (window >= 0 || !child)
            return window;
        const auto menu = static_cast<int>(OpenMenus().indexOf(qobject_cast<QMenu*>(child->object())));
        return menu < 0 ? -1 : QAccessibleApplication::childCount() + menu;
    }
};

QAccessibleInterface* ApplicationFactory(const QString&, QObject* object)
{
    if (object && object == QCoreApplication::instance())
        return new ApplicationWithMenus;
    return nullptr;
}

} // namespace

void InstallMenuAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(ApplicationFactory);
    // The accessibility bus may have asked for the application already (the
    // splash window shows before the main window is built): forget that
    // answer, so that the next question gets the one above.
    QAccessibleInterface* current = QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    if (current && !dynamic_cast<ApplicationWithMenus*>(current))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace kelvara
