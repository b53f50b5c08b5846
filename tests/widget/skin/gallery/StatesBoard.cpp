#include "StatesBoard.h"

#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinGroupBox.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinTextField.h"
#include "skin/SkinDialogBackground.h"
#include "skin/SkinResourceIds.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

using namespace kelvara;

namespace {

constexpr QRgb White = qRgb(255, 255, 255);
constexpr int FirstColumn = 120;
constexpr int ColumnWidth = 78;
const char* const Columns[] = { "idle", "hover", "pressed", "checked", "disabled" };

void Hover(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent move(
        QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

CSkinLabel* Caption(
    QWidget* parent, const QString& text, QRect at, CSkinLabel::Align align = CSkinLabel::Align::Left)
{
    auto* label = new CSkinLabel(text, parent, align);
    label->setGeometry(at);
    return label;
}

} // namespace

StatesBoard::StatesBoard(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(520, 565);
    Caption(this, QStringLiteral("Skin controls"), { 8, 6, 200, 16 });
    for (int c = 0; c < 5; ++c)
        Caption(this, QString::fromLatin1(Columns[c]), { FirstColumn + c * ColumnWidth, 36, ColumnWidth, 16 },
            CSkinLabel::Align::Center);

    auto bitmapButton = [](int id, QSize size) {
        return [id, size](QWidget* parent) {
            auto* b = new CSkinButton(parent);
            b->SetBitmaps(id, White, id + 1, White);
            b->DrawTransparent();
            b->DrawBorder(false);
            b->resize(size);
            return b;
        };
    };
    AddButtonRow(58, QStringLiteral("Start"), bitmapButton(skin_id::StartButton, { 48, 49 }), false);
    AddButtonRow(112, QStringLiteral("Add"), bitmapButton(skin_id::AddButton, { 44, 49 }), false);
    AddButtonRow(170, QStringLiteral("Browse"), bitmapButton(skin_id::BrowseButton, { 70, 22 }), false);
    AddButtonRow(
        198, QStringLiteral("Play"),
        [](QWidget* parent) {
            auto* b = new CSkinButton(parent);
            b->SetIcon(skin_id::PlayHoverIcon, skin_id::PlayIdleIcon);
            b->DrawTransparent();
            b->DrawBorder(false);
            b->resize(32, 40);
            return b;
        },
        false);
    AddButtonRow(
        244, QStringLiteral("Check box"),
        [](QWidget* parent) {
            auto* b = new CSkinButton(parent);
            b->SetCheckMode(true);
            b->setText(QStringLiteral("Original"));
            b->SetIcon(skin_id::CheckOnIcon, skin_id::CheckOffIcon);
            b->DrawTransparent();
            b->DrawBorder(false);
            b->SetAlign(1);
            b->SetColour(CSkinButton::TextOut, Qt::black);
            b->SetColour(CSkinButton::TextIn, QColor(20, 20, 20));
            b->resize(70, 38);
            return b;
        },
        true);
    AddButtonRow(
        288, QStringLiteral("Text button"),
        [](QWidget* parent) {
            auto* b = new CSkinButton(parent);
            b->setText(QStringLiteral("OK"));
            b->DrawTransparent();
            b->resize(70, 20);
            return b;
        },
        false);
    AddTabs(318);
    AddFields(420);
}

void StatesBoard::AddButtonRow(
    int y, const QString& name, const std::function<CSkinButton*(QWidget*)>& make, bool checkable)
{
    Caption(this, name, { 8, y + 12, 110, 16 });
    Row row;
    for (int c = 0; c < 5; ++c) {
        if (c == 3 && !checkable)
            continue;
        CSkinButton* button = make(this);
        button->move(FirstColumn + c * ColumnWidth + (ColumnWidth - button->width()) / 2, y);
        row.buttons.append(button);
        button->setProperty("column", c);
    }
    m_rows.append(row);
}

void StatesBoard::AddTabs(int y)
{
    Caption(this, QStringLiteral("Tab strips"), { 8, y + 6, 110, 16 });
    const int firsts[] = { skin_id::PcTabs, skin_id::MobileTabs, skin_id::AudioTabs };
    const int counts[] = { 7, 7, 10 };
    const int selected[] = { 1, 5, 8 };
    for (int s = 0; s < 3; ++s) {
        auto* tab = new CImageTab(this);
        for (int i = 0; i < counts[s]; ++i)
            tab->AddImage(i, firsts[s] + i);
        tab->Select(selected[s]);
        tab->setGeometry(80, y + s * 32, 432, 28);
    }
}

void StatesBoard::AddFields(int y)
{
    Caption(this, QStringLiteral("Combo"), { 8, y + 2, 70, 16 });
    auto* closed = new CSkinComboBox(this);
    closed->addItems({ "MPEG1 Standard", "VCD PAL", "DVD NTSC" });
    closed->SetCurSel(0);
    closed->setGeometry(80, y, 120, 18);
    auto* disabled = new CSkinComboBox(this);
    disabled->addItems({ "44100" });
    disabled->SetCurSel(0);
    disabled->setGeometry(80, y + 26, 120, 18);
    disabled->EnableWindow(false);
    m_openCombo = new CSkinComboBox(this);
    m_openCombo->addItems({ "128 kbit/s", "160 kbit/s", "192 kbit/s", "224 kbit/s", "256 kbit/s",
        "320 kbit/s", "384 kbit/s", "448 kbit/s" });
    m_openCombo->SetCurSel(2);
    m_openCombo->SetDroppedHeight(100);
    m_openCombo->setGeometry(80, y + 52, 120, 18);

    Caption(this, QStringLiteral("Text field"), { 220, y + 2, 80, 16 });
    Caption(this, QStringLiteral("focused"), { 220, y + 28, 76, 16 }, CSkinLabel::Align::Right);
    Caption(this, QStringLiteral("disabled"), { 220, y + 54, 76, 16 }, CSkinLabel::Align::Right);
    auto* idle = new CSkinTextField(this);
    idle->setGeometry(300, y, 70, 18);
    idle->SetText(QStringLiteral("640"));
    m_focusedField = new CSkinTextField(this);
    m_focusedField->setGeometry(300, y + 26, 70, 18);
    m_focusedField->SetText(QStringLiteral("29.97"));
    auto* grey = new CSkinTextField(this);
    grey->setGeometry(300, y + 52, 70, 18);
    grey->SetText(QStringLiteral("480"));
    grey->SetTextColour(QColor(128, 128, 128));
    grey->EnableWindow(false);

    auto* list = new CSkinListBox(this);
    list->setGeometry(385, y - 2, 125, 76);
    for (const char* item :
        { "Sony PSP 368x208", "PSP 320x240", "PSP 480x272", "PSP Widescreen", "PSP High" })
        list->AddString(QString::fromLatin1(item));
    list->SetItemFlag(1, true);

    auto* group = new CSkinGroupBox(QStringLiteral("Labels"), this);
    group->setGeometry(220, y + 80, 290, 58);
    Caption(this, QStringLiteral("Plain label"), { 232, y + 102, 80, 16 });
    auto* embossed = Caption(this, QStringLiteral("Embossed"), { 320, y + 102, 80, 16 });
    embossed->SetEmbossed(true);
    auto* off = Caption(this, QStringLiteral("Disabled"), { 410, y + 102, 80, 16 });
    off->setEnabled(false);
}

void StatesBoard::ApplyStates()
{
    for (const Row& row : m_rows) {
        for (CSkinButton* button : row.buttons) {
            switch (button->property("column").toInt()) {
            case 1:
                Hover(button);
                break;
            case 2:
                button->setDown(true);
                break;
            case 3:
                button->SetCheck(true);
                break;
            case 4:
                button->setEnabled(false);
                break;
            default:
                break;
            }
        }
    }
    // Opening the pop-up first: on some platforms showing it activates it.
    m_openCombo->Open();
    m_openCombo->DropList()->HandleKey(Qt::Key_Down);
    m_openCombo->DropList()->HandleKey(Qt::Key_Down);
    window()->activateWindow();
    QApplication::processEvents();
    m_focusedField->setFocus();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 9), m_focusedField->mapToGlobal(QPointF(4, 9)),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_focusedField, &press);
    QKeyEvent shiftRight(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 2; ++i)
        QApplication::sendEvent(m_focusedField, &shiftRight);
}

bool StatesBoard::CaretShown() const
{
    return m_focusedField->IsCaretVisible();
}

void StatesBoard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintSkinDialogBackground(p, size());
}
