// The About box, its links, the splash and the banner.
#include "AppFakes.h"

#include "skin/CAboutBox.h"
#include "skin/CBanner.h"
#include "skin/CLinkLabel.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSplashDlg.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

TEST(AboutBox, ShowsTheVersionAndTheTwoLinksCentredOverTheMainWindow)
{
    QWidget main;
    main.setGeometry(100, 50, 802, 565);
    FakeDesktopShell shell;
    CAboutBox box(&main, "3.1", &shell);
    EXPECT_EQ(box.size(), QSize(357, 263));
    const QRect frame = main.frameGeometry();
    EXPECT_EQ(box.pos(),
        QPoint((2 * frame.left() + frame.width() - 357) / 2, (2 * frame.top() + frame.height() - 300) / 2));
    EXPECT_EQ(box.VersionText(), "3.1");
    EXPECT_EQ(box.HomePageLink()->URL(), "https://www.tarvo.test/kelvara/");
    EXPECT_EQ(box.SupportLink()->URL(), "mailto:help@tarvo.test");
    EXPECT_EQ(box.HomePageLink()->pos(), QPoint(206, 80));
    EXPECT_EQ(box.SupportLink()->pos(), QPoint(206, 103));
    EXPECT_EQ(box.CloseButton()->geometry(), QRect(330, 2, 23, 25));
}

TEST(AboutBox, TheCloseButtonEndsTheBox)
{
    CAboutBox box(nullptr, "1.0");
    box.show();
    box.CloseButton()->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);
}

TEST(LinkLabel, AnEmptyTextShowsTheAddressAndTheLabelFitsIt)
{
    CLinkLabel link;
    link.SetURL("https://www.tarvo.test/kelvara/");
    EXPECT_EQ(link.Text(), "https://www.tarvo.test/kelvara/");
    EXPECT_GT(link.width(), 100);
    EXPECT_EQ(link.toolTip(), "https://www.tarvo.test/kelvara/");
}

TEST(LinkLabel, AnOpenedLinkTurnsToTheVisitedColourAndStaysSo)
{
    FakeDesktopShell shell;
    CLinkLabel link;
    link.SetShell(&shell);
    link.SetURL("mailto:help@tarvo.test");
    EXPECT_EQ(link.TextColour(), QColor(Qt::black));
    link.OpenLink();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QUrl("mailto:help@tarvo.test"));
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.TextColour(), QColor(85, 26, 139));
}

TEST(LinkLabel, ALinkThatCannotBeOpenedShowsItsFailureReport)
{
    FakeDesktopShell shell;
    shell.outcome = { false, platform::kOpenNoAssociation };
    CLinkLabel link;
    link.SetShell(&shell);
    link.SetURL("foo:bar");
    QSignalSpy failed(&link, &CLinkLabel::linkFailed);
    QString shown;
    CloseNextModal(&shown);
    link.OpenLink();
    EXPECT_EQ(shown, QString::fromLatin1(CSkinMessageBox::staticMetaObject.className()));
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed[0][0].toString(),
        "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename "
        "extension.");
    EXPECT_FALSE(link.IsVisited());
}

TEST(LinkLabel, FailureReasonsByCode)
{
    EXPECT_EQ(CLinkLabel::FailureReport(2), "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(CLinkLabel::FailureReport(0),
        "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(CLinkLabel::FailureReport(26), "Unable to open hyperlink:\n\nUnknown Error (26) occurred.");
    EXPECT_EQ(CLinkLabel::FailureReport(-5), "Unable to open hyperlink:\n\nUnknown Error (-5) occurred.");
}

TEST(LinkLabel, TheUnderlineFollowsItsMode)
{
    CLinkLabel link;
    link.SetURL("https://x.test/");
    EXPECT_FALSE(link.IsUnderlined());
    link.SetUnderline(CLinkLabel::Underline::Always);
    EXPECT_TRUE(link.IsUnderlined());
    link.SetUnderline(CLinkLabel::Underline::Never);
    EXPECT_FALSE(link.IsUnderlined());
}

TEST(LinkLabel, HoverEndsSoonAfterTheCursorHasLeft)
{
    CLinkLabel link;
    link.SetURL("https://x.test/");
    link.move(5000, 5000); // far from wherever the cursor is
    link.show();
    QTest::mouseMove(&link, QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(5002, 5002), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(&link, &move);
    ASSERT_TRUE(link.IsOver());
    EXPECT_TRUE(link.IsUnderlined());
    EXPECT_EQ(link.TextColour(), QColor(0, 0, 255));
    QCursor::setPos(0, 0);
    EXPECT_TRUE(WaitFor([&] { return !link.IsOver(); }, 500));
    EXPECT_FALSE(link.IsUnderlined());
}

TEST(Splash, ShowsTheVersionPaintedAndClosesOnceOrTwiceWithoutHarm)
{
    CSplashThread splash;
    splash.Show("4.2");
    EXPECT_TRUE(splash.IsShown());
    ASSERT_NE(splash.Window(), nullptr);
    EXPECT_EQ(splash.Window()->VersionText(), "4.2");
    // Nothing runs the event loop while the main window is built after it.
    EXPECT_TRUE(splash.Window()->HasPainted());
    splash.HideSplash();
    EXPECT_FALSE(splash.IsShown());
    QApplication::processEvents();
    splash.HideSplash();
    EXPECT_FALSE(splash.IsShown());
}

TEST(Banner, PlaysTheShippedAnimationInALoop)
{
    CBanner banner;
    ASSERT_TRUE(banner.LoadMovie(QStringLiteral(KELVARA_SOURCE_DIR "/resources/banner/Banners.gif")));
    EXPECT_TRUE(banner.IsPlaying());
    EXPECT_GT(banner.FrameCount(), 10);
}

TEST(Banner, AMissingFileLeavesItEmpty)
{
    CBanner banner;
    EXPECT_FALSE(banner.LoadMovie("/nonexistent/Banners.gif"));
    EXPECT_FALSE(banner.IsPlaying());
}

} // namespace
} // namespace kelvara::testing
