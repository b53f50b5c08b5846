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
#include <gtest/gtest.h>
#include <memory>

using namespace kelvara;

namespace {

// The pixels of `control` that change when it takes the focus from `elsewhere`,
// drawn at this ratio; -1 when it does not take it.
int FocusMarkPixels(QWidget& control, QWidget& elsewhere, int ratio)
{
    QImage shots[2];
    elsewhere.setFocus(Qt::TabFocusReason);
    for (QImage& shot : shots) {
        shot = QImage(control.size() * ratio, QImage::Format_RGB32);
        shot.setDevicePixelRatio(ratio);
        shot.fill(qRgb(5, 132, 226));
        control.render(&shot);
        control.setFocus(Qt::TabFocusReason);
    }
    int changed = 0;
    for (int y = 0; y < shots[0].height(); ++y)
        for (int x = 0; x < shots[0].width(); ++x)
            changed += shots[0].pixel(x, y) != shots[1].pixel(x, y);
    return control.hasFocus() ? changed : -1;
}

CImageTab* FiveTabs(QWidget* parent)
{
    auto* strip = new CImageTab(parent);
    for (int i = 0; i < 5; ++i)
        strip->AddImage(i, skin_id::AudioTabs + i);
    return strip;
}

struct Window : ::testing::Test {
    void Show()
    {
        window.resize(400, 300);
        elsewhere->setGeometry(0, 280, 50, 18);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    CSkinTextField* elsewhere = new CSkinTextField(&window);
};

TEST_F(Window, EveryFocusableControlDrawsTheFocusMarkAtBothRatios)
{
    auto* button = new CSkinButton(&window);
    button->SetBitmaps(skin_id::AudioTabs, qRgb(255, 255, 255), 0, 0);
    button->DrawTransparent();
    auto* strip = FiveTabs(&window);
    strip->Select(2);
    auto* combo = new CSkinComboBox(&window);
    combo->addItems({ QStringLiteral("25"), QStringLiteral("30") });
    auto* list = new CSkinListBox(&window);
    list->AddString(QStringLiteral("High"));
    const std::pair<const char*, QWidget*> controls[]
        = { { "picture button", button }, { "tab strip", strip }, { "combo", combo },
              { "text field", new CSkinTextField(&window) }, { "range slider", new CRangeSlider(&window) },
              { "list box", list }, { "empty file list", new CSkinListCtrl(&window) } };
    Show();
    for (const auto& [name, control] : controls) {
        SCOPED_TRACE(name);
        const bool tall = control->inherits("QAbstractScrollArea") || control->inherits("CSkinListBox");
        control->setGeometry(10, 10, 300, tall ? 118 : 28);
        ASSERT_NE(control->focusPolicy() & Qt::TabFocus, 0);
        const int atOne = FocusMarkPixels(*control, *elsewhere, 1);
        // At least the mark's two short sides; whole logical pixels, so four
        // times as many screen pixels at ratio 2 (a hairline gives twice).
        EXPECT_GE(atOne, 2 * 10);
        EXPECT_GE(FocusMarkPixels(*control, *elsewhere, 2), 3 * atOne);
    }
}

TEST_F(Window, APressOnAPictureButtonShowsNoFocusMarkUntilAKeyIsUsed)
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

// Counts menus instead of showing them.
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
    const struct {
        Kind kind;
        Qt::Key key;
        int clicks;
    } cases[] = { { Kind::Plain, Qt::Key_Space, 1 }, { Kind::Plain, Qt::Key_Return, 1 },
        { Kind::Plain, Qt::Key_Enter, 1 }, { Kind::Plain, Qt::Key_Down, 0 }, { Kind::Menu, Qt::Key_Space, 1 },
        { Kind::Menu, Qt::Key_Return, 1 }, { Kind::Menu, Qt::Key_Down, 1 }, { Kind::Check, Qt::Key_Space, 1 },
        { Kind::Check, Qt::Key_Return, 0 } };
    Show();
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.kind) << " key " << c.key);
        auto button = std::make_unique<MenuCountingButton>(&window);
        button->setGeometry(10, 10, 40, 30);
        button->show();
        if (c.kind == Kind::Menu)
            button->SetMenu(std::make_unique<QMenu>(), &window);
        button->SetCheckMode(c.kind == Kind::Check);
        button->setFocus(Qt::TabFocusReason);
        QSignalSpy clicks(button.get(), &QAbstractButton::clicked);
        QTest::keyClick(button.get(), c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(clicks.count(), c.clicks);
        EXPECT_EQ(button->menusShown, c.kind == Kind::Menu ? c.clicks : 0);
        EXPECT_EQ(button->GetCheck(), c.kind == Kind::Check && c.clicks == 1);
    }
}

TEST_F(Window, TabStripChangesTabWithArrowsHomeAndEndWithoutWrapping)
{
    const struct {
        int from;
        Qt::Key key;
        int to;
    } cases[] = { { 0, Qt::Key_Right, 1 }, { 3, Qt::Key_Left, 2 }, { 0, Qt::Key_Left, 0 },
        { 4, Qt::Key_Right, 4 }, { 3, Qt::Key_Home, 0 }, { 1, Qt::Key_End, 4 }, { 2, Qt::Key_Space, 2 } };
    auto* strip = FiveTabs(&window);
    strip->setGeometry(0, 0, 432, 28);
    Show();
    strip->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(strip->hasFocus());
    std::vector<int> selectedWhenTold;
    QObject::connect(strip, &CImageTab::ImageTabClick, strip,
        [&](CImageTab* t) { selectedWhenTold.push_back(t->GetCurSel()); });
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " key " << c.key);
        strip->Select(c.from);
        selectedWhenTold.clear();
        QTest::keyClick(strip, c.key);
        EXPECT_EQ(strip->GetCurSel(), c.to);
        // The owner is told once per change, as a press on the tab tells it.
        EXPECT_EQ(selectedWhenTold, c.to != c.from ? std::vector { c.to } : std::vector<int> {});
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
