// Labels, group boxes, the numeric text field and the folder field.
#include "SkinTestSupport.h"
#include "skin/CSkinGroupBox.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinTextField.h"

#include <QClipboard>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

TEST(SkinLabel, LinesFollowTheLineBreaks)
{
    CSkinLabel label;
    label.SetWindowText(QStringLiteral("one\ntwo\n"));
    EXPECT_EQ(label.LineCount(), 3);
    EXPECT_EQ(label.GetLine(1), QStringLiteral("two"));
    EXPECT_EQ(label.GetLine(2), QString());
    label.SetWindowText(QString(2000, QLatin1Char('x')));
    EXPECT_EQ(label.Text().size(), CSkinLabel::kMaxLength - 1);
    EXPECT_EQ(label.LineCount(), 1);
}

int Count(const QImage& image, const std::function<bool(QColor)>& match)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += match(QColor(image.pixel(x, y)));
    return n;
}

bool Near(QColor c, QColor target)
{
    return qAbs(c.red() - target.red()) < 14 && qAbs(c.green() - target.green()) < 14
        && qAbs(c.blue() - target.blue()) < 14;
}

TEST(SkinLabel, EmbossedTextIsLightWithABrownShadow)
{
    QWidget parent;
    parent.resize(200, 40);
    parent.setAutoFillBackground(true);
    QPalette green;
    green.setColor(QPalette::Window, QColor(0, 160, 0));
    parent.setPalette(green);
    CSkinLabel label(QStringLiteral("Version 1.0"), &parent);
    label.setGeometry(0, 0, 200, 40);
    auto black = [](QColor c) { return c.red() < 40 && c.green() < 40 && c.blue() < 40; };
    const QImage plain = kelvara::testing::Grab(parent);
    EXPECT_GT(Count(plain, black), 10);
    label.SetEmbossed(true);
    const QImage embossed = kelvara::testing::Grab(parent);
    EXPECT_EQ(Count(embossed, black), 0);
    EXPECT_GT(Count(embossed, [](QColor c) { return Near(c, QColor(200, 200, 200)); }), 10);
    EXPECT_GT(Count(embossed, [](QColor c) { return Near(c, QColor(97, 66, 49)); }), 3);
}

TEST(SkinGroupBox, FrameStopsAtTheCaption)
{
    QWidget parent;
    parent.resize(200, 100);
    CSkinGroupBox group(QStringLiteral("Video Format"), &parent);
    group.setGeometry(0, 0, 200, 100);
    const QImage image = kelvara::testing::Grab(group);
    const QRgb frame = qRgb(230, 230, 230);
    EXPECT_EQ(image.pixel(100, 98), frame); // bottom edge
    EXPECT_EQ(image.pixel(2, 50), frame); // left edge
    bool topEdge = false;
    for (int y = 0; y < 12; ++y)
        topEdge |= image.pixel(180, y) == frame;
    EXPECT_TRUE(topEdge); // the top edge, right of the caption
    bool frameUnderCaption = false;
    for (int x = 12; x < 40; ++x)
        for (int y = 0; y < 10; ++y)
            frameUnderCaption |= image.pixel(x, y) == frame;
    EXPECT_FALSE(frameUnderCaption);
    group.SetCaption(QString(300, QLatin1Char('c')));
    EXPECT_EQ(group.Caption().size(), CSkinGroupBox::kMaxCaption - 1);
}

struct TextFieldFixture : ::testing::Test {
    void SetUp() override
    {
        window.resize(200, 60);
        field = new CSkinTextField(&window);
        field->setGeometry(10, 10, 120, 20);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(field, Qt::Key(key), modifiers);
    }
    QWidget window;
    CSkinTextField* field = nullptr;
};

using SkinTextField = TextFieldFixture;

TEST_F(SkinTextField, DigitsPointAndMinusAreTyped)
{
    Key(Qt::Key_1);
    Key(Qt::Key_2);
    Key(Qt::Key_Period);
    Key(Qt::Key_5, Qt::KeypadModifier);
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(field->GetText(), QStringLiteral("12.5-"));
    EXPECT_EQ(field->Model().Caret(), 5);
}

TEST_F(SkinTextField, EveryKeyButTabNotifiesTheOwner)
{
    QSignalSpy keys(field, &CSkinTextField::TextFieldKey);
    QSignalSpy updates(field, &CSkinTextField::EditUpdate);
    Key(Qt::Key_A);
    Key(Qt::Key_Space);
    EXPECT_EQ(field->GetText(), QString());
    EXPECT_EQ(keys.count(), 2); // sent at once
    Key(Qt::Key_Tab);
    EXPECT_EQ(keys.count(), 2);
    QApplication::processEvents();
    EXPECT_EQ(updates.count(), 0); // nothing changed
}

TEST_F(SkinTextField, TextChangesArePosted)
{
    QSignalSpy updates(field, &CSkinTextField::EditUpdate);
    Key(Qt::Key_7);
    EXPECT_EQ(updates.count(), 0);
    QApplication::processEvents();
    EXPECT_EQ(updates.count(), 1);
    EXPECT_EQ(updates.at(0).at(0).value<CSkinTextField*>(), field);
}

TEST_F(SkinTextField, BackspaceAndDeleteRemoveAroundTheCaret)
{
    field->SetText(QStringLiteral("1234"));
    QApplication::processEvents();
    QSignalSpy updates(field, &CSkinTextField::EditUpdate);
    Key(Qt::Key_Backspace); // caret at the start
    EXPECT_EQ(field->GetText(), QStringLiteral("1234"));
    Key(Qt::Key_Delete);
    EXPECT_EQ(field->GetText(), QStringLiteral("234"));
    Key(Qt::Key_Right);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(field->GetText(), QStringLiteral("34"));
    QApplication::processEvents();
    EXPECT_EQ(updates.count(), 2);
}

TEST_F(SkinTextField, ShiftArrowsSelectAndEditingReplacesTheSelection)
{
    field->SetText(QStringLiteral("640"));
    Key(Qt::Key_Right);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier); // already at the end
    EXPECT_EQ(field->Model().SelectedText(), QStringLiteral("40"));
    EXPECT_EQ(field->Model().Caret(), 3);
    Key(Qt::Key_8);
    EXPECT_EQ(field->GetText(), QStringLiteral("68"));
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Left);
    EXPECT_FALSE(field->Model().HasSelection());
    EXPECT_EQ(field->Model().Caret(), 0);
}

TEST_F(SkinTextField, ClipboardCopyCutAndPaste)
{
    field->SetText(QStringLiteral("480"));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("48"));
    EXPECT_EQ(field->GetText(), QStringLiteral("480"));
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field->GetText(), QStringLiteral("0"));
    Key(Qt::Key_Right);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->GetText(), QStringLiteral("048"));
}

TEST_F(SkinTextField, TextStaysBelow512Characters)
{
    field->SetText(QString(600, QLatin1Char('1')));
    EXPECT_EQ(field->GetText().size(), 511);
    field->SetText(QString(510, QLatin1Char('1')));
    Key(Qt::Key_End);
    for (int i = 0; i < 510; ++i)
        Key(Qt::Key_Right);
    Key(Qt::Key_2);
    EXPECT_EQ(field->GetText().size(), 511);
    Key(Qt::Key_3); // would reach 512
    EXPECT_EQ(field->GetText().size(), 511);
    EXPECT_TRUE(field->GetText().endsWith(QLatin1Char('2')));
    QApplication::clipboard()->setText(QStringLiteral("99"));
    Key(Qt::Key_Backspace);
    Key(Qt::Key_V, Qt::ControlModifier); // 510 + 2 = 512: refused whole
    EXPECT_EQ(field->GetText().size(), 510);
}

TEST_F(SkinTextField, ClickPlacesTheCaretAndDoubleClickSelectsAll)
{
    field->SetText(QStringLiteral("1234"));
    const QVector<int> positions = field->CharacterPositions();
    ASSERT_EQ(positions.size(), 5);
    EXPECT_EQ(positions[0], CSkinTextField::kTextLeft);
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(positions[2] - 2, 10));
    EXPECT_EQ(field->Model().Caret(), 2);
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(110, 10));
    EXPECT_EQ(field->Model().Caret(), 4);
    QTest::mouseDClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(field->Model().SelectedText(), QStringLiteral("1234"));
}

TEST_F(SkinTextField, CaretBlinksWhileFocusedAndSelectionGoesWithTheFocus)
{
    ASSERT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->IsCaretVisible());
    EXPECT_TRUE(kelvara::testing::WaitFor([&] { return !field->IsCaretVisible(); }, 1500));
    field->SetText(QStringLiteral("12"));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_TRUE(field->Model().HasSelection());
    auto* other = new CSkinTextField(&window);
    other->show();
    other->setFocus();
    EXPECT_FALSE(field->Model().HasSelection());
    EXPECT_FALSE(field->IsCaretVisible());
}

} // namespace

namespace {

// The folder field: any text a path can hold, and the keys of a text editor.
struct PathFieldFixture : TextFieldFixture {
    void SetUp() override
    {
        TextFieldFixture::SetUp();
        path = new CSkinTextField(&window, TextFieldKind::Path);
        path->setGeometry(10, 32, 120, 20);
        path->show();
        path->setFocus();
    }
    // A key that types `text`, as a layout or script gives it.
    void Type(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::sendKeyEvent(QTest::Click, path, Qt::Key_unknown, text, modifiers);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(path, Qt::Key(key), modifiers);
    }
    CSkinTextField* path = nullptr;
};

using SkinPathField = PathFieldFixture;

TEST_F(SkinPathField, TakesLettersOfEveryScriptSlashesAndBlanks)
{
    QTest::keyClicks(path, "/tmp/out");
    for (const QString& typed : { QStringLiteral(" été"), QStringLiteral("/日本"), QStringLiteral("Ωx") })
        for (const QChar c : typed)
            Type(c);
    Type(QStringLiteral("a"), Qt::ControlModifier); // a command, not text
    Type(QStringLiteral("\x01"));
    Type(QStringLiteral("@"), Qt::ControlModifier | Qt::AltModifier); // AltGr on some systems
    EXPECT_EQ(path->GetText(), QStringLiteral("/tmp/out été/日本Ωx@"));
}

TEST_F(SkinPathField, EditorKeysMoveAndSelect)
{
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        int caret;
        QString selected;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const Step steps[] = {
        { Qt::Key_Home, {}, 0, {} },
        { Qt::Key_Right, ctrl, 5, {} }, // after "/home"
        { Qt::Key_Right, ctrl, 9, {} }, // after "/ann"
        { Qt::Key_End, shift, 18, QStringLiteral("/clip out") },
        { Qt::Key_Left, ctrl | shift, 15, QStringLiteral("/clip ") },
        { Qt::Key_Left, ctrl, 10, {} }, // before "clip"
        { Qt::Key_Home, shift, 0, QStringLiteral("/home/ann/") },
        { Qt::Key_A, ctrl, 18, QStringLiteral("/home/ann/clip out") },
        { Qt::Key_End, {}, 18, {} },
    };
    path->SetText(QStringLiteral("/home/ann/clip out"));
    for (const Step& step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(path->Model().Caret(), step.caret) << step.key;
        EXPECT_EQ(path->Model().SelectedText(), step.selected) << step.key;
    }
    // The number fields stay numeric but move as an editor does.
    field->SetText(QStringLiteral("720"));
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_A, ctrl);
    EXPECT_EQ(field->Model().SelectedText(), QStringLiteral("720"));
}

TEST_F(SkinPathField, ALetterAndItsAccentsOrASurrogatePairIsOneStep)
{
    path->SetText(QStringLiteral("e\u0301x\U0001F600"));
    Key(Qt::Key_End);
    Key(Qt::Key_Left);
    EXPECT_EQ(path->Model().Caret(), 3);
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_EQ(path->Model().Caret(), 0);
    Key(Qt::Key_Delete);
    EXPECT_EQ(path->GetText(), QStringLiteral("x\U0001F600"));
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(path->GetText(), QStringLiteral("x"));
}

TEST_F(SkinPathField, InputMethodComposesThenCommits)
{
    path->SetText(QStringLiteral("/a"));
    Key(Qt::Key_End);
    QInputMethodEvent composing(QStringLiteral("e"), {});
    QApplication::sendEvent(path, &composing);
    EXPECT_EQ(path->GetText(), QStringLiteral("/a"));
    EXPECT_EQ(path->Composition(), QStringLiteral("e"));
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("é"));
    QApplication::sendEvent(path, &committed);
    EXPECT_EQ(path->GetText(), QStringLiteral("/aé"));
    EXPECT_TRUE(path->Composition().isEmpty());
    EXPECT_TRUE(path->inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_FALSE(field->inputMethodQuery(Qt::ImEnabled).toBool());
}

TEST_F(SkinPathField, PasteTakesTheFirstLineAndALongPathScrollsToTheCaret)
{
    QApplication::clipboard()->setText(QStringLiteral("/media/usb stick\n"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(path->GetText(), QStringLiteral("/media/usb stick"));
    path->SetText(QStringLiteral("/home/ann/") + QString(60, QLatin1Char('n')));
    Key(Qt::Key_End);
    const int caretX = path->CharacterPositions().last() - path->ScrollOffset();
    EXPECT_GT(path->ScrollOffset(), 0);
    EXPECT_LE(caretX, path->width() - CSkinTextField::kTextLeft);
    EXPECT_GE(caretX, CSkinTextField::kTextLeft);
    Key(Qt::Key_Home);
    EXPECT_EQ(path->ScrollOffset(), 0);
    // A folder longer than a number field's 512 characters is kept whole.
    const QString deep = QStringLiteral("/d").repeated(400);
    path->SetText(deep);
    EXPECT_EQ(path->GetText(), deep);
}

} // namespace
