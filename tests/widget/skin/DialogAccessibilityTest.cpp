// What a screen reader learns of the message boxes, the countdown and the
// About box, and of a control disabled for a reason.
#include "SkinTestSupport.h"
#include "skin/CAboutBox.h"
#include "skin/CCountdownMessageBox.h"
#include "skin/CLinkLabel.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinMessageBox.h"
#include "skin/DisabledReason.h"
#include "skin/SkinAccessibility.h"

#include <QAccessible>
#include <QToolTip>
#include <gtest/gtest.h>
#include <vector>

using namespace std::chrono_literals;
using namespace kelvara;

namespace {

QAccessibleInterface* Of(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The names of a window's children of one role, in the order readers walk them.
QStringList ChildNames(QWidget* window, QAccessible::Role role)
{
    QStringList names;
    QAccessibleInterface* root = Of(window);
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->role() == role)
            names << root->child(i)->text(QAccessible::Name);
    return names;
}

void Press(QWidget* control)
{
    Of(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

class DialogAccessibility : public ::testing::Test {
protected:
    DialogAccessibility() { InstallSkinAccessibility(); }
};

TEST_F(DialogAccessibility, AMessageBoxIsADialogNamedForItsCaptionWithItsTextAndACloseButton)
{
    struct Case {
        QString text;
        QString caption;
        int type;
        QString name;
    };
    const Case cases[] = {
        { "Please stop converting.", "", 0, "Info" },
        { "Set export folder firstly ", "error", box_style::IconHand, "error" },
        { "First line\nsecond line", "", box_style::IconExclamation | box_style::OkCancel, "Warning" },
        { "Go on?", "", box_style::IconQuestion | box_style::YesNo, "Question" },
    };
    for (const Case& c : cases) {
        CSkinMessageBox box(nullptr, c.text, c.caption, c.type);
        box.show();
        QAccessibleInterface* dialog = Of(&box);
        EXPECT_EQ(dialog->role(), QAccessible::Dialog) << c.name.toStdString();
        EXPECT_EQ(dialog->text(QAccessible::Name), c.name);
        EXPECT_EQ(ChildNames(&box, QAccessible::StaticText), QStringList({ c.name, c.text }));
        QAccessibleInterface* close = Of(box.CloseButton());
        EXPECT_EQ(close->role(), QAccessible::Button);
        EXPECT_EQ(close->text(QAccessible::Name), "Close");
        Press(box.CloseButton());
        EXPECT_FALSE(box.isVisible()) << c.name.toStdString();
        EXPECT_EQ(box.Result(), (c.type & box_style::YesNo) ? box_style::IdNo : box_style::IdCancel);
    }
}

TEST_F(DialogAccessibility, TheCountdownReadsTheSecondsLeftAfterEachTick)
{
    CCountdownMessageBox box(nullptr, 4, 20ms);
    box.show();
    QAccessibleInterface* text = Of(box.TextLabel());
    QStringList heard;
    for (int left = 3; left >= 2; --left) {
        ASSERT_TRUE(kelvara::testing::WaitFor([&] { return box.SecondsLeft() <= left; }));
        heard << text->text(QAccessible::Name);
    }
    box.OnCancel();
    EXPECT_EQ(heard, QStringList({ CCountdownMessageBox::TextFor(3), CCountdownMessageBox::TextFor(2) }));
}

TEST_F(DialogAccessibility, TheAboutBoxSaysWhatItsPictureSaysThenItsVersionAndLinks)
{
    CAboutBox box(nullptr, "2.4");
    const QStringList texts = ChildNames(&box, QAccessible::StaticText);
    EXPECT_EQ(texts.mid(0, 3), QStringList({ "Kelvara", "Version", "2.4" }));
    EXPECT_TRUE(texts.contains("Web:") && texts.contains("Support:"));
    EXPECT_TRUE(texts.contains("Converts audio and video files for PCs, players and phones."));
    EXPECT_EQ(
        ChildNames(&box, QAccessible::Link), QStringList({ "www.tarvo.test/kelvara", "help@tarvo.test" }));
    for (CLinkLabel* link : { box.HomePageLink(), box.SupportLink() }) {
        EXPECT_EQ(Of(link)->text(QAccessible::Value), link->URL());
        EXPECT_EQ(Of(link)->text(QAccessible::Description), link->URL());
    }
    // Readers that follow the pointer find each text alone in its place.
    std::vector<QRect> places;
    QAccessibleInterface* root = Of(&box);
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->role() == QAccessible::StaticText)
            places.push_back(static_cast<QWidget*>(root->child(i)->object())->geometry());
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_TRUE(box.rect().contains(places[i])) << texts[int(i)].toStdString();
        for (std::size_t j = i + 1; j < places.size(); ++j)
            EXPECT_FALSE(places[i].intersects(places[j]))
                << texts[int(i)].toStdString() << " / " << texts[int(j)].toStdString();
    }
    EXPECT_EQ(ChildNames(&box, QAccessible::Button), QStringList({ "Close" }));
}

TEST_F(DialogAccessibility, AControlDisabledForAReasonSaysItWhenPressedOrClicked)
{
    QWidget window;
    auto* button = new CSkinButton(&window);
    button->setText("Add Video");
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
    window.show();

    SetDisabledReason(button, "Not available while converting");
    EXPECT_TRUE(Of(button)->state().disabled);
    EXPECT_EQ(Of(button)->text(QAccessible::Description), "Not available while converting");
    const auto shownAfter = [&](const std::function<void()>& attempt) {
        QToolTip::hideText();
        kelvara::testing::WaitFor([] { return !QToolTip::isVisible(); }, 1000);
        attempt();
        kelvara::testing::WaitFor([] { return QToolTip::isVisible() && !QToolTip::text().isEmpty(); }, 500);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(shownAfter([&] { Press(button); }), "Not available while converting");
    const QPoint onButton = button->geometry().center();
    EXPECT_EQ(shownAfter([&] { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, onButton); }),
        "Not available while converting");
    EXPECT_EQ(clicks, 0);

    SetDisabledReason(button, QString());
    EXPECT_FALSE(Of(button)->state().disabled);
    EXPECT_TRUE(Of(button)->text(QAccessible::Description).isEmpty());
    EXPECT_FALSE(ShowDisabledReason(button));
    Press(button);
    EXPECT_EQ(clicks, 1);
}

} // namespace
