// The skin without a mouse: every focusable control shows the focus mark at
// both pixel ratios, the tab strip changes tab with its keys, picture and menu
// buttons press with theirs, the combo opens with Alt+Down.
#include "SkinTestSupport.h"
#include "skin/CImageTab.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinTextField.h"
#include "skin/SkinResourceIds.h"

#include <QMenu>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace kelvara;

namespace {

QImage Render(QWidget& widget, int ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(qRgb(5, 132, 226));
    widget.render(&image);
    return image;
}

int ChangedPixels(const QImage& a, const QImage& b)
{
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}

struct Window : ::testing::Test {
    void SetUp() override
    {
        window.resize(400, 300);
        elsewhere = new CSkinTextField(&window);
        elsewhere->setGeometry(0, 280, 50, 18);
    }
    void Show()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    CSkinTextField* elsewhere = nullptr;
};

using FocusMark = Window;

TEST_F(FocusMark, EveryFocusableControlDrawsItAtBothRatios)
{
    const std::vector<std::pair<const char*, std::function<QWidget*()>>> controls {
        { "picture button",
            [&] {
                auto* b = new CSkinButton(&window);
                b->SetBitmaps(skin_id::AudioTabs, qRgb(255, 255, 255), 0, 0);
                b->DrawTransparent();
                return b;
            } },
        { "tab strip",
            [&] {
                auto* t = new CImageTab(&window);
                for (int i = 0; i < 5; ++i)
                    t->AddImage(i, skin_id::AudioTabs + i);
                t->Select(2);
                return t;
            } },
        { "combo",
            [&] {
                auto* c = new CSkinComboBox(&window);
                c->addItems({ QStringLiteral("25"), QStringLiteral("30") });
                return c;
            } },
        { "text field", [&] { return new CSkinTextField(&window); } },
        { "range slider", [&] { return new CRangeSlider(&window); } },
        { "list box",
            [&] {
                auto* l = new CSkinListBox(&window);
                l->AddString(QStringLiteral("High"));
                return l;
            } },
        { "empty file list", [&] { return new CSkinListCtrl(&window); } },
    };
    Show();
    for (const auto& [name, make] : controls) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> control(make());
        control->setGeometry(10, 10, 300,
            28 + 90 * (control->inherits("QAbstractScrollArea") || control->inherits("CSkinListBox")));
        control->show();
        ASSERT_NE(control->focusPolicy() & Qt::TabFocus, 0);
        int changed[3] = {};
        for (const int ratio : { 1, 2 }) {
            elsewhere->setFocus(Qt::TabFocusReason);
            const QImage unfocused = Render(*control, ratio);
            control->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(control->hasFocus());
            changed[ratio] = ChangedPixels(unfocused, Render(*control, ratio));
        }
        // At least the mark's two short sides; whole logical pixels, so four
        // times as many screen pixels at ratio 2 (a hairline gives twice).
        EXPECT_GE(changed[1], 2 * 10);
        EXPECT_GE(changed[2], 3 * changed[1]);
    }
}

TEST_F(FocusMark, APressOnAPictureButtonShowsNoMarkUntilAKeyIsUsed)
{
    auto* button = new CSkinButton(&window);
    button->setGeometry(10, 10, 40, 30);
    Show();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(button->hasFocus());
    EXPECT_FALSE(button->ShowsFocusMark());
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_TRUE(button->ShowsFocusMark());
    elsewhere->setFocus(Qt::TabFocusReason);
    button->setFocus(Qt::BacktabFocusReason);
    EXPECT_TRUE(button->ShowsFocusMark());
}

// Counts clicks and menus instead of showing the menu.
class MenuCountingButton : public CSkinButton {
public:
    using CSkinButton::CSkinButton;
    int menusShown = 0;

protected:
    int TrackMenu(const QPoint&) override
    {
        ++menusShown;
        return 0;
    }
};

TEST_F(Window, PictureAndMenuButtonsPressWithTheirKeys)
{
    enum class Kind { Plain, Menu, Check };
    struct Case {
        Kind kind;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int clicks;
        int menus;
    };
    const Case cases[] = {
        { Kind::Plain, Qt::Key_Space, Qt::NoModifier, 1, 0 },
        { Kind::Plain, Qt::Key_Return, Qt::NoModifier, 1, 0 },
        { Kind::Plain, Qt::Key_Enter, Qt::KeypadModifier, 1, 0 },
        { Kind::Plain, Qt::Key_Down, Qt::NoModifier, 0, 0 },
        { Kind::Menu, Qt::Key_Space, Qt::NoModifier, 1, 1 },
        { Kind::Menu, Qt::Key_Return, Qt::NoModifier, 1, 1 },
        { Kind::Menu, Qt::Key_Down, Qt::NoModifier, 1, 1 },
        { Kind::Check, Qt::Key_Space, Qt::NoModifier, 1, 0 },
        { Kind::Check, Qt::Key_Return, Qt::NoModifier, 0, 0 },
    };
    Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.kind) << " key " << c.key);
        auto* button = new MenuCountingButton(&window);
        button->setGeometry(10, 10, 40, 30);
        button->show();
        if (c.kind == Kind::Menu)
            button->SetMenu(std::make_unique<QMenu>(), &window);
        button->SetCheckMode(c.kind == Kind::Check);
        button->setFocus(Qt::TabFocusReason);
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        QTest::keyClick(button, c.key, c.modifiers);
        EXPECT_EQ(clicks.count(), c.clicks);
        EXPECT_EQ(button->menusShown, c.menus);
        EXPECT_EQ(button->GetCheck(), c.kind == Kind::Check && c.clicks == 1);
        delete button;
    }
}

TEST_F(Window, TabStripChangesTabWithArrowsHomeAndEndWithoutWrapping)
{
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        { 0, Qt::Key_Right, 1 },
        { 3, Qt::Key_Left, 2 },
        { 0, Qt::Key_Left, 0 },
        { 4, Qt::Key_Right, 4 },
        { 3, Qt::Key_Home, 0 },
        { 1, Qt::Key_End, 4 },
        { 2, Qt::Key_Space, 2 },
    };
    auto* strip = new CImageTab(&window);
    strip->setGeometry(0, 0, 432, 28);
    for (int i = 0; i < 5; ++i)
        strip->AddImage(i, skin_id::AudioTabs + i);
    Show();
    strip->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(strip->hasFocus());
    int selectedWhenTold = -1;
    QObject::connect(
        strip, &CImageTab::ImageTabClick, strip, [&](CImageTab* t) { selectedWhenTold = t->GetCurSel(); });
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " key " << c.key);
        strip->Select(c.from);
        selectedWhenTold = -1;
        QSignalSpy told(strip, &CImageTab::ImageTabClick);
        QTest::keyClick(strip, c.key);
        EXPECT_EQ(strip->GetCurSel(), c.to);
        // The owner is told once per change, as a press on the tab tells it.
        EXPECT_EQ(told.count(), c.to != c.from ? 1 : 0);
        EXPECT_EQ(selectedWhenTold, c.to != c.from ? c.to : -1);
    }
    strip->Select(1);
    EXPECT_FALSE(strip->ChooseTab(1) || strip->ChooseTab(5) || strip->ChooseTab(-1));
    EXPECT_TRUE(strip->ChooseTab(3));
}

TEST_F(Window, ComboOpensWithAltDownAndClosesTakingTheHotRow)
{
    auto* combo = new CSkinComboBox(&window);
    combo->setGeometry(20, 20, 150, 18);
    combo->addItems({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
    Show();
    combo->setFocus(Qt::TabFocusReason);
    QSignalSpy changes(combo, &CSkinComboBox::SelChange);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->IsOpen());
    EXPECT_EQ(combo->currentIndex(), 0);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->currentIndex(), 1);
    QTest::keyClick(combo, Qt::Key_F4);
    EXPECT_TRUE(combo->IsOpen());
    QTest::keyClick(combo, Qt::Key_Escape);
    // Ctrl keys are the window's (Ctrl+Return starts, Ctrl+PgDn changes tab).
    QTest::keyClick(combo, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(combo, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->currentIndex(), 1);
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
}

} // namespace
