// What a screen reader learns of a message box.
#include "SkinTestSupport.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinMessageBox.h"
#include "skin/SkinAccessibility.h"

#include <QAccessible>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

QAccessibleInterface* Of(QObject* object)
{
    InstallSkinAccessibility();
    return QAccessible::queryAccessibleInterface(object);
}

void Press(QWidget* control)
{
    Of(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

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
    for (const auto& c : cases) {
        CSkinMessageBox box(nullptr, c.text, c.caption, c.type);
        box.show();
        QStringList texts;
        for (int i = 0; i < Of(&box)->childCount(); ++i)
            if (Of(&box)->child(i)->role() == QAccessible::StaticText)
                texts << Of(&box)->child(i)->text(QAccessible::Name);
        EXPECT_EQ(Of(&box)->role(), QAccessible::Dialog);
        EXPECT_EQ(Of(&box)->text(QAccessible::Name), c.name);
        EXPECT_EQ(texts, QStringList({ c.name, c.text }));
        EXPECT_EQ(Of(box.CloseButton())->text(QAccessible::Name), "Close");
        Press(box.CloseButton());
        EXPECT_FALSE(box.isVisible()) << c.name;
        EXPECT_EQ(box.Result(), (c.type & box_style::YesNo) ? box_style::IdNo : box_style::IdCancel);
    }
}

} // namespace
