// The text field as assistive technologies drive it: they read its text and
// hand it whole texts, which must reach the owner like typed ones.
#include "SkinTestSupport.h"
#include "skin/CSkinTextField.h"

#include <QAccessible>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

struct AccessibleTextField : ::testing::Test {
    void SetUp() override
    {
        window.resize(200, 60);
        field = new CSkinTextField(&window);
        field->setGeometry(10, 10, 120, 20);
        field->SetText(QStringLiteral("/home/ann/"));
        window.show();
        QApplication::processEvents();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(face, nullptr);
        text = face->textInterface();
        editable = face->editableTextInterface();
        ASSERT_NE(text, nullptr);
        ASSERT_NE(editable, nullptr);
    }
    QWidget window;
    CSkinTextField* field = nullptr;
    QAccessibleTextInterface* text = nullptr;
    QAccessibleEditableTextInterface* editable = nullptr;
};

TEST_F(AccessibleTextField, WholeTextsReplaceInsertAndDeleteAndReachTheOwner)
{
    QSignalSpy updates(field, &CSkinTextField::EditUpdate);
    QSignalSpy keys(field, &CSkinTextField::TextFieldKey);
    // Letters are no keys of this field, but a screen reader's text is taken
    // as a paste is.
    editable->replaceText(0, text->characterCount(), QStringLiteral("/tmp/films für $Ann"));
    EXPECT_EQ(field->GetText(), QStringLiteral("/tmp/films für $Ann"));
    EXPECT_EQ(text->text(0, text->characterCount()), field->GetText());
    EXPECT_EQ(text->cursorPosition(), field->GetText().size());
    editable->insertText(text->characterCount(), QStringLiteral("/"));
    editable->insertText(0, QStringLiteral(" "));
    EXPECT_EQ(field->GetText(), QStringLiteral(" /tmp/films für $Ann/"));
    editable->deleteText(1, 5);
    EXPECT_EQ(field->GetText(), QStringLiteral(" /films für $Ann/"));
    QApplication::processEvents();
    EXPECT_EQ(updates.count(), 4); // posted, as after typing
    EXPECT_EQ(keys.count(), 0); // no key was pressed
    editable->replaceText(0, text->characterCount(), QString());
    EXPECT_EQ(field->GetText(), QString());
    EXPECT_EQ(text->characterCount(), 0);
    QApplication::processEvents();
    EXPECT_EQ(updates.count(), 5);
}

TEST_F(AccessibleTextField, RefusedWhenDisabledOrTooLong)
{
    field->EnableWindow(false);
    editable->replaceText(0, text->characterCount(), QStringLiteral("/other/"));
    editable->deleteText(0, text->characterCount());
    EXPECT_EQ(field->GetText(), QStringLiteral("/home/ann/"));
    field->EnableWindow(true);
    // 10 characters kept + 502 would reach the limit of 512: refused whole.
    editable->insertText(10, QString(502, QLatin1Char('x')));
    EXPECT_EQ(field->GetText(), QStringLiteral("/home/ann/"));
    editable->insertText(10, QString(501, QLatin1Char('x')));
    EXPECT_EQ(field->GetText().size(), 511);
    // Offsets past the text are held to it rather than trusted.
    editable->replaceText(-5, 9000, QStringLiteral("/a/"));
    EXPECT_EQ(field->GetText(), QStringLiteral("/a/"));
}

TEST_F(AccessibleTextField, CaretAndSelectionCanBeSet)
{
    text->setCursorPosition(3);
    EXPECT_EQ(field->Model().Caret(), 3);
    text->setSelection(0, 6, 1);
    ASSERT_EQ(text->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 6);
    EXPECT_EQ(field->Model().SelectedText(), QStringLiteral("home/"));
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);
    text->addSelection(0, 5);
    EXPECT_EQ(field->Model().SelectedText(), QStringLiteral("/home"));
}

} // namespace
