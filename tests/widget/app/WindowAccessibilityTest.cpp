// What a screen reader learns of the main window itself and of its file
// list: a frame, and a table whose every column and row has a name.
#include "AppFakes.h"

#include "skin/CSkinListCtrl.h"
#include "skin/CSkinListScrollBar.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

QStringList NamesOfRole(QAccessibleInterface* parent, QAccessible::Role role)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        if (QAccessibleInterface* child = parent->child(i); child && child->role() == role)
            names << child->text(QAccessible::Name);
    return names;
}

TEST(WindowAccessibility, TheWindowIsAFrameItsListNamesEveryColumnAndRowItsScrollBarsAreScrollBars)
{
    DialogFixture f;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(f.dialog.get());
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Kelvara");

    for (int i = 0; i < 2; ++i)
        f.dialog->Jobs().Add(JobRecord {});
    f.dialog->FileList().SetItemCount(2);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&f.dialog->FileList());
    EXPECT_EQ(NamesOfRole(table, QAccessible::ColumnHeader),
        QStringList({ "State", "Source Video", "Split Span", "Frame Size", "Out Type", "Status" }));
    EXPECT_EQ(NamesOfRole(table, QAccessible::RowHeader), QStringList({ "1", "2" }));

    QStringList bars;
    for (const CSkinListScrollBar* bar : f.dialog->findChildren<CSkinListScrollBar*>()) {
        QAccessibleInterface* accessible
            = QAccessible::queryAccessibleInterface(const_cast<CSkinListScrollBar*>(bar));
        EXPECT_EQ(accessible->role(), QAccessible::ScrollBar);
        bars << accessible->text(QAccessible::Name);
    }
    bars.sort();
    EXPECT_EQ(bars, QStringList({ "Horizontal scroll bar", "Vertical scroll bar" }));
}

} // namespace
} // namespace kelvara::testing
