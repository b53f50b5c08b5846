// The skin button's looks, hover, check mode, menu and focus, and the tab strip.
#include "FakeSoundPlayer.h"
#include "SkinTestSupport.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb InColour = qRgb(200, 30, 30);
constexpr QRgb OutColour = qRgb(30, 30, 200);

QImage Solid(QRgb colour)
{
    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, White); // a transparent corner
    return image;
}

void Move(QWidget& widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::NoButton, buttons,
        Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

QRgb Centre(CSkinButton& button)
{
    return kelvara::testing::Grab(button).pixel(button.width() / 2, button.height() / 2);
}

struct ButtonFixture : ::testing::Test {
    void SetUp() override
    {
        window.resize(200, 100);
        button = new CSkinButton(&window);
        button->setGeometry(10, 10, 40, 30);
        button->SetSoundPlayer(&sounds);
        button->DrawBorder(false);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    CSkinButton* button = nullptr;
    FakeSoundPlayer sounds;
};

using SkinButton = ButtonFixture;

TEST_F(SkinButton, ShowsIdleImageUntilHoveredOrPressed)
{
    ASSERT_EQ(button->SetBitmaps(Solid(InColour), White, Solid(OutColour), White), 0);
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::Out);
    EXPECT_EQ(Centre(*button), OutColour);
    Move(*button, QPoint(5, 5));
    EXPECT_TRUE(button->IsHovering());
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::In);
    EXPECT_EQ(Centre(*button), InColour);
    Move(*button, QPoint(100, 5)); // outside, as while the button holds the mouse
    EXPECT_FALSE(button->IsHovering());
    button->setDown(true);
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::In);
    // The pressed image is offset by a pixel; its middle is still the in-image.
    EXPECT_EQ(Centre(*button), InColour);
}

TEST_F(SkinButton, WithOnlyAnInImageShowsItInEveryState)
{
    ASSERT_EQ(button->SetBitmaps(Solid(InColour), White, QImage(), White), 0);
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::In);
    Move(*button, QPoint(5, 5));
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::In);
    button->setDown(true);
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::In);
}

TEST_F(SkinButton, InCheckModeTheInImageMeansChecked)
{
    button->SetCheckMode(true);
    ASSERT_EQ(button->SetIcon(LoadSkinIcon(skin_id::CheckOnIcon), LoadSkinIcon(skin_id::CheckOffIcon)), 0);
    Move(*button, QPoint(5, 5));
    EXPECT_TRUE(button->IsHovering());
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::Out);
    button->SetCheck(true);
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::In);
    Move(*button, QPoint(100, 5));
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::In);
}

TEST_F(SkinButton, DisabledBitmapIsDrawnGrey)
{
    ASSERT_EQ(button->SetBitmaps(Solid(InColour), White, Solid(OutColour), White), 0);
    button->setEnabled(false);
    const QRgb centre = Centre(*button);
    EXPECT_NE(centre, OutColour);
    EXPECT_EQ(qRed(centre), qGreen(centre));
    EXPECT_EQ(qGreen(centre), qBlue(centre));
    button->SetGreyWhenDisabled(false);
    EXPECT_EQ(Centre(*button), OutColour);
}

void Send(QWidget& widget, QEvent::Type type)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(
        type, QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST_F(SkinButton, DoubleClickInCheckModeTogglesTwice)
{
    button->SetCheckMode(true);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    // A double click whose second press arrives only as a double-click event.
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
             QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease })
        Send(*button, type);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(button->GetCheck());
    // One whose second press comes as a press followed by a double-click event.
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
             QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease })
        Send(*button, type);
    EXPECT_EQ(clicks.count(), 4);
    EXPECT_FALSE(button->GetCheck());
}

TEST_F(SkinButton, CheckStateIsOnlyForCheckMode)
{
    button->SetCheck(true);
    EXPECT_FALSE(button->GetCheck());
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(button->GetCheck());
    EXPECT_TRUE(button->hasFocus());
}

void AnswerMenu(int presses)
{
    QTimer::singleShot(50, [presses] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        if (presses == 0) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

std::unique_ptr<QMenu> ListMenu()
{
    auto menu = std::make_unique<QMenu>();
    menu->addAction(QStringLiteral("Add Video"))->setData(32771);
    menu->addAction(QStringLiteral("Remove Video"))->setData(32772);
    return menu;
}

TEST_F(SkinButton, MenuCommandIsPostedOnlyWhenOneIsChosen)
{
    ASSERT_EQ(button->SetMenu(ListMenu(), &window), 0);
    QSignalSpy commands(button, &CSkinButton::MenuCommand);
    bool shownPressed = false;
    QTimer::singleShot(20, [&] { shownPressed = button->IsMenuShown() && button->IsPressedLook(); });
    AnswerMenu(2);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(shownPressed);
    EXPECT_FALSE(button->IsMenuShown());
    EXPECT_EQ(commands.count(), 0); // posted, not sent
    ASSERT_TRUE(kelvara::testing::WaitFor([&] { return commands.count() == 1; }));
    EXPECT_EQ(commands.at(0).at(0).toInt(), 32772);

    AnswerMenu(0);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::qWait(50);
    EXPECT_EQ(commands.count(), 1);
}

TEST_F(SkinButton, PressStartedOutsideDoesNotLightTheButton)
{
    button->SetSound(QStringLiteral("/program/menu.wav"), true);
    Move(*button, QPoint(5, 5), Qt::LeftButton);
    EXPECT_FALSE(button->IsHovering());
    EXPECT_TRUE(sounds.played.isEmpty());
    Move(*button, QPoint(5, 5));
    EXPECT_TRUE(button->IsHovering());
    Move(*button, QPoint(6, 6), Qt::LeftButton); // a press begun on the button keeps the hover
    EXPECT_TRUE(button->IsHovering());
    EXPECT_EQ(sounds.played, QStringList { QStringLiteral("/program/menu.wav") });
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->IsHovering());
    Move(*button, QPoint(5, 5));
    EXPECT_EQ(sounds.played.size(), 2);
}

TEST_F(SkinButton, DisablingMovesTheFocusOnEvenWhenItWasElsewhere)
{
    auto* next = new CSkinButton(&window);
    next->setGeometry(60, 10, 40, 30);
    auto* last = new CSkinButton(&window);
    last->setGeometry(110, 10, 40, 30);
    next->show();
    last->show();
    window.activateWindow();
    last->setFocus();
    ASSERT_TRUE(kelvara::testing::WaitFor([&] { return last->hasFocus(); }));
    button->setEnabled(false);
    EXPECT_TRUE(next->hasFocus());

    button->setEnabled(true);
    button->setFocus();
    next->setEnabled(false);
    EXPECT_TRUE(last->hasFocus());
}

int CountNear(const QImage& image, QColor target)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            n += qAbs(c.red() - target.red()) < 12 && qAbs(c.green() - target.green()) < 12
                && qAbs(c.blue() - target.blue()) < 12;
        }
    return n;
}

TEST_F(SkinButton, TextIsDrawnOverALightUnderlayInTheStateColour)
{
    window.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0, 0, 120));
    window.setPalette(palette);
    button->DrawTransparent(true);
    button->setText(QStringLiteral("OK"));
    button->SetColour(CSkinButton::TextOut, QColor(255, 0, 0));
    button->SetColour(CSkinButton::TextIn, QColor(0, 255, 0));
    button->SetColour(CSkinButton::TextFocus, QColor(255, 0, 0));
    button->resize(60, 30);
    const QImage idle = kelvara::testing::Grab(*button);
    EXPECT_GT(CountNear(idle, QColor(200, 200, 200)), 0);
    EXPECT_GT(CountNear(idle, QColor(255, 0, 0)), 5);
    EXPECT_EQ(CountNear(idle, QColor(0, 255, 0)), 0);
    Move(*button, QPoint(5, 5));
    const QImage hover = kelvara::testing::Grab(*button);
    EXPECT_GT(CountNear(hover, QColor(0, 255, 0)), 5);
    EXPECT_EQ(CountNear(hover, QColor(255, 0, 0)), 0);
}

TEST_F(SkinButton, ConfigurationReportsItsErrors)
{
    EXPECT_EQ(button->SetAlign(4), 4);
    EXPECT_EQ(button->SetAlign(1), 0);
    EXPECT_EQ(button->SetColour(6, Qt::red), 3);
    EXPECT_EQ(button->SetColour(5, Qt::red), 0);
    EXPECT_EQ(button->Colour(5), QColor(Qt::red));
    ASSERT_EQ(button->SetBitmaps(skin_id::StartButton, White, skin_id::StartButton + 1, White), 0);
    EXPECT_EQ(button->SetBitmaps(skin_id::StartButton, White, 9999, White), 1);
    EXPECT_EQ(button->ShownImage(), CSkinButton::Image::None);
    EXPECT_EQ(button->SetIcon(9999, 0), 1);
    EXPECT_EQ(button->SetMenu(nullptr, &window), 1);
    button->SetSound(QString(300, QLatin1Char('a')), true);
    EXPECT_EQ(button->Sound().size(), CSkinButton::kMaxSoundPathLength);
    button->SetSound(QString(), true);
    Move(*button, QPoint(5, 5));
    EXPECT_TRUE(sounds.played.isEmpty());
}

struct TabFixture : ::testing::Test {
    void Make(int count)
    {
        tab = new CImageTab(&window);
        tab->setGeometry(0, 0, 432, 28);
        for (int i = 0; i < count; ++i)
            tab->AddImage(i, skin_id::AudioTabs + i);
        tab->Select(0);
        window.show();
    }
    void Press(int x) { QTest::mousePress(tab, Qt::LeftButton, Qt::NoModifier, QPoint(x, 10)); }
    QWidget window;
    CImageTab* tab = nullptr;
};

using ImageTab = TabFixture;

TEST_F(ImageTab, PressSelectsTheTabUnderIt)
{
    Make(5);
    QSignalSpy clicks(tab, &CImageTab::ImageTabClick);
    Press(85);
    EXPECT_EQ(clicks.count(), 0); // tab 0 is already selected
    Press(86);
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).value<CImageTab*>(), tab);
    Press(429);
    EXPECT_EQ(tab->GetCurSel(), 4);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ImageTab, LastPixelsSelectNoTabButStillNotify)
{
    Make(5);
    Press(430); // 430 / 86 = 5: past the last tab
    EXPECT_EQ(tab->GetCurSel(), 0);
    Press(431);
    EXPECT_EQ(tab->GetCurSel(), 0);
    QSignalSpy clicks(tab, &CImageTab::ImageTabClick);
    Press(431);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ImageTab, SevenPcTabsShareTheStripEvenlyWithoutArrows)
{
    tab = new CImageTab(&window);
    tab->setGeometry(0, 0, 432, 28);
    for (int i = 0; i < 7; ++i)
        tab->AddImage(i, skin_id::PcTabs + i);
    tab->Select(0);
    window.show();
    EXPECT_FALSE(tab->ShowsScrollArrows());
    const std::pair<int, int> pressAndTab[] = { { 60, 0 }, { 61, 1 }, { 200, 3 }, { 426, 6 }, { 428, 6 } };
    for (const auto& [x, expected] : pressAndTab) {
        Press(x);
        EXPECT_EQ(tab->GetCurSel(), expected) << "press at " << x;
    }
}

// Ten tabs of at least 86 pixels in 432: the last 32 pixels are the two
// arrows, and a press always takes the tab drawn under it.
TEST_F(ImageTab, TabsScrollByOneAndEveryChoiceComesIntoView)
{
    enum Action { PressAt, Key, Choose };
    const struct {
        Action action;
        int value; // x, key or tab
        int selected;
        int firstShown;
        int told; // ImageTabClick sent
    } steps[] = {
        { PressAt, 90, 1, 0, 1 },
        { PressAt, 420, 1, 1, 0 }, // right arrow
        { PressAt, 5, 1, 1, 0 }, // tab 1 is now drawn at the left end
        { PressAt, 90, 2, 1, 1 },
        { Key, Qt::Key_End, 9, 6, 1 }, // the last tab shows whole, nothing beyond
        { PressAt, 420, 9, 6, 0 },
        { PressAt, 0, 6, 6, 1 },
        { PressAt, 405, 6, 5, 0 }, // left arrow
        { Key, Qt::Key_Home, 0, 0, 1 },
        { PressAt, 405, 0, 0, 0 },
        { PressAt, 399, 4, 1, 1 }, // the tab cut by the arrows scrolls in whole
        { Key, Qt::Key_Right, 5, 2, 1 },
        { Key, Qt::Key_Left, 4, 2, 1 },
        { Choose, 8, 8, 5, 1 },
        { Choose, 0, 0, 0, 1 },
    };
    Make(10);
    tab->setFocus();
    ASSERT_TRUE(tab->ShowsScrollArrows());
    QSignalSpy clicks(tab, &CImageTab::ImageTabClick);
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << "action " << step.action << " " << step.value);
        clicks.clear();
        if (step.action == PressAt)
            Press(step.value);
        else if (step.action == Key)
            QTest::keyClick(tab, Qt::Key(step.value));
        else
            tab->ChooseTab(step.value);
        EXPECT_EQ(tab->GetCurSel(), step.selected);
        EXPECT_EQ(tab->FirstShownTab(), step.firstShown);
        EXPECT_EQ(clicks.count(), step.told);
        EXPECT_FALSE(tab->TabRect(step.selected).isEmpty());
    }
}

TEST_F(ImageTab, SelectIgnoresTabsThatWereNotAdded)
{
    Make(4);
    tab->Select(4);
    EXPECT_EQ(tab->GetCurSel(), 0);
    tab->Select(-1);
    EXPECT_EQ(tab->GetCurSel(), 0);
    tab->Select(3);
    EXPECT_EQ(tab->GetCurSel(), 3);
}

TEST_F(ImageTab, SelectedBitmapShowsWithRedTransparent)
{
    Make(5);
    tab->Select(2);
    const QImage shown = kelvara::testing::Grab(*tab);
    int red = 0;
    for (int x = 0; x < shown.width(); ++x)
        red += shown.pixel(x, 27) == qRgb(255, 0, 0);
    EXPECT_EQ(red, 0);
}

} // namespace
