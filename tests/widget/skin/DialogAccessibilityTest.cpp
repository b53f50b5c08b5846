// What a screen reader learns of a message box.
#include "SkinTestSupport.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinMessageBox.h"
#include "skin/SkinAccessibility.h"

#include <QAccessible>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

TEST(DialogAccessibility, AMessageBoxIsADialogNamedForItsCaptionWithItsTextAndACloseButton)
{
    const struct {
        const char* text;
        const char* caption;
        int type;
        const char* name;
    } cases[] = {
        { "Please stop converting.", "", 0, "Info" },
        { "Set export folder firstly ", "error", box_style::IconHand, "error" },
        { "First line\nsecond line", "", box_style::IconExclamation | box_style::OkCancel, "Warning" },
        { "Go on?", "", box_style::IconQuestion | box_style::YesNo, "Question" },
    };
    InstallSkinAccessibility();
    for (const auto& c : cases) {
        CSkinMessageBox box(nullptr, c.text, c.caption, c.type);
        box.show();
        QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&box);
        QStringList texts;
        for (int i = 0; i < dialog->childCount(); ++i)
            if (dialog->child(i)->role() == QAccessible::StaticText)
                texts << dialog->child(i)->text(QAccessible::Name);
        EXPECT_EQ(dialog->role(), QAccessible::Dialog);
        EXPECT_EQ(dialog->text(QAccessible::Name), c.name);
        EXPECT_EQ(texts, QStringList({ c.name, c.text }));
        QAccessibleInterface* close = QAccessible::queryAccessibleInterface(box.CloseButton());
        EXPECT_EQ(close->text(QAccessible::Name), "Close");
        close->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_FALSE(box.isVisible()) << c.name;
        EXPECT_EQ(box.Result(), (c.type & box_style::YesNo) ? box_style::IdNo : box_style::IdCancel);
    }
}

} // namespace
