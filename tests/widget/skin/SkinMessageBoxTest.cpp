// The message box's size, place, captions, icons, buttons and results.
#include "SkinTestSupport.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinIconStatic.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinMessageBox.h"
#include "skin/SkinFont.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QFontMetrics>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

bool SameIcon(const CSkinMessageBox& box, int iconId)
{
    return box.IconStatic()->Icon().toImage() == LoadSkinIcon(iconId).toImage();
}

TEST(SkinMessageBox, EmptyTextGivesTheSmallestBox)
{
    CSkinMessageBox box(nullptr, QString(), QString(), 0);
    EXPECT_EQ(box.size(), QSize(180, 102));
    EXPECT_EQ(box.FirstButton()->geometry(), QRect(90 - 35, 62, 70, 20));
}

TEST(SkinMessageBox, ThreeLinesAreSizedToTheWidestLine)
{
    const QString widest = QStringLiteral("The output folder cannot be written to, sorry.");
    CSkinMessageBox box(nullptr, QStringLiteral("Short.\n") + widest + QStringLiteral("\nEnd."), QString(),
        box_style::OkCancel);
    const QFontMetrics metrics(SkinFont(12, true));
    const int w = metrics.horizontalAdvance(widest) + 10;
    const int h = 3 * (metrics.height() + 1);
    ASSERT_GE(w, 128);
    EXPECT_EQ(box.size(), QSize(w + 52, h + 102));
    EXPECT_EQ(box.TextLabel()->geometry(), QRect(36, 50, w + 2, h + 2));
    EXPECT_EQ(box.IconStatic()->geometry(), QRect(4, (h + 70) / 2, 32, 32));
    EXPECT_EQ(box.FirstButton()->geometry(), QRect((w + 52) / 2 - 72, h + 62, 70, 20));
    EXPECT_EQ(box.SecondButton()->geometry(), QRect((w + 52) / 2 + 2, h + 62, 70, 20));
    EXPECT_EQ(box.CloseButton()->geometry(), QRect(w + 52 - 32, 5, 18, 18));
}

TEST(SkinMessageBox, TypeZeroIsInfoWithOneOkButton)
{
    CSkinMessageBox box(nullptr, QStringLiteral("Please stop converting."), QString(), 0);
    EXPECT_EQ(box.CaptionLabel()->Text(), QStringLiteral("Info"));
    EXPECT_TRUE(SameIcon(box, skin_id::InformationIcon));
    EXPECT_EQ(box.FirstButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(box.SecondButton()->isHidden());
    QTest::mouseClick(box.FirstButton(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(box.Result(), box_style::IdOk);
    EXPECT_EQ(box.result(), box_style::IdOk);
}

TEST(SkinMessageBox, ErrorTypeKeepsAGivenCaption)
{
    CSkinMessageBox plain(nullptr, QStringLiteral("x"), QString(), box_style::IconHand);
    EXPECT_EQ(plain.CaptionLabel()->Text(), QStringLiteral("Error"));
    EXPECT_TRUE(SameIcon(plain, skin_id::ErrorIcon));
    CSkinMessageBox named(nullptr, QStringLiteral("Can't turn off the computer."), QStringLiteral("Warning"),
        box_style::IconHand);
    EXPECT_EQ(named.CaptionLabel()->Text(), QStringLiteral("Warning"));
    EXPECT_TRUE(SameIcon(named, skin_id::ErrorIcon));
    EXPECT_TRUE(named.SecondButton()->isHidden());
    QTest::keyClick(&named, Qt::Key_Escape);
    EXPECT_EQ(named.Result(), box_style::IdCancel);
}

TEST(SkinMessageBox, OtherIconTypesHaveTheirCaptions)
{
    EXPECT_EQ(CSkinMessageBox::DefaultCaption(box_style::IconExclamation), QStringLiteral("Warning"));
    EXPECT_EQ(CSkinMessageBox::IconResource(box_style::IconExclamation), skin_id::WarningIcon);
    EXPECT_EQ(CSkinMessageBox::DefaultCaption(box_style::IconQuestion), QStringLiteral("Question"));
    EXPECT_EQ(CSkinMessageBox::IconResource(box_style::IconQuestion), skin_id::QuestionIcon);
    EXPECT_EQ(CSkinMessageBox::DefaultCaption(box_style::IconAsterisk), QStringLiteral("Info"));
}

TEST(SkinMessageBox, YesNoAnswers)
{
    const int type = box_style::YesNo | box_style::IconQuestion;
    {
        CSkinMessageBox box(nullptr, QStringLiteral("Go on?"), QString(), type);
        EXPECT_EQ(box.FirstButton()->text(), QStringLiteral("Yes"));
        EXPECT_EQ(box.SecondButton()->text(), QStringLiteral("No"));
        EXPECT_FALSE(box.SecondButton()->isHidden());
        QTest::mouseClick(box.FirstButton(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        EXPECT_EQ(box.Result(), box_style::IdYes);
    }
    {
        CSkinMessageBox box(nullptr, QStringLiteral("Go on?"), QString(), type);
        QTest::mouseClick(box.SecondButton(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        EXPECT_EQ(box.Result(), box_style::IdNo);
    }
    {
        CSkinMessageBox box(nullptr, QStringLiteral("Go on?"), QString(), type);
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_EQ(box.Result(), box_style::IdNo);
    }
    {
        CSkinMessageBox box(nullptr, QStringLiteral("Go on?"), QString(), type);
        QTest::mouseClick(box.CloseButton(), Qt::LeftButton, Qt::NoModifier, QPoint(9, 9));
        EXPECT_EQ(box.Result(), box_style::IdNo);
    }
}

TEST(SkinMessageBox, ModalCallReturnsTheChosenButton)
{
    QTimer::singleShot(50, [] {
        if (auto* box = qobject_cast<CSkinMessageBox*>(QApplication::activeModalWidget()))
            QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(SkinMessageBox(nullptr, QStringLiteral("All tasks have been completed!"), QString(), 0),
        box_style::IdOk);
    QTimer::singleShot(50, [] {
        if (auto* box = qobject_cast<CSkinMessageBox*>(QApplication::activeModalWidget()))
            QTest::mouseClick(box->SecondButton(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    });
    EXPECT_EQ(
        SkinMessageBox(nullptr, QStringLiteral("Really?"), QString(), box_style::YesNo), box_style::IdNo);
}

TEST(SkinMessageBox, CentredOnAVisibleOwnerElseOnTheScreen)
{
    QWidget owner;
    owner.setGeometry(100, 80, 600, 400);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    CSkinMessageBox onOwner(&owner, QString(), QString(), 0);
    const QPoint origin = owner.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(onOwner.pos(), origin + QPoint((600 - 180) / 2, (400 - 102) / 2));
    owner.hide();
    CSkinMessageBox onScreen(&owner, QString(), QString(), 0);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(
        onScreen.pos(), screen.topLeft() + QPoint((screen.width() - 180) / 2, (screen.height() - 102) / 2));
}

} // namespace
