#include "CSkinMessageBox.h"

#include "CSkinButton.h"
#include "CSkinIconStatic.h"
#include "CSkinLabel.h"
#include "SkinDialogBackground.h"
#include "SkinFont.h"
#include "SkinPalette.h"
#include "SkinResourceIds.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace kelvara {

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
const QColor CloseBrown(97, 66, 49);
const QColor CloseHot(20, 20, 20);

bool IsYesNo(int type)
{
    return (type & box_style::YesNo) != 0;
}

const QPixmap& CachedIcon(int id)
{
    // Loaded on the first message box and kept for the life of the program.
    static const QPixmap icons[] = { LoadSkinIcon(skin_id::ErrorIcon), LoadSkinIcon(skin_id::WarningIcon),
        LoadSkinIcon(skin_id::QuestionIcon), LoadSkinIcon(skin_id::InformationIcon) };
    switch (id) {
    case skin_id::ErrorIcon:
        return icons[0];
    case skin_id::WarningIcon:
        return icons[1];
    case skin_id::QuestionIcon:
        return icons[2];
    default:
        return icons[3];
    }
}

struct TextSize {
    int width = 0;
    int height = 0;
};

TextSize MeasureLines(const QString& text, const QFont& font)
{
    TextSize size;
    if (text.isEmpty())
        return size;
    const QFontMetrics metrics(font);
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const int width = metrics.horizontalAdvance(line);
        if (width > size.width)
            size.width = width + 10;
        size.height += metrics.height() + 1;
    }
    return size;
}

} // namespace

CSkinMessageBox::CSkinMessageBox(QWidget* owner, const QString& text, const QString& caption, int type)
    : QDialog(owner ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint)
    , m_type(type)
{
    setModal(true);
    m_caption = new CSkinLabel(this);
    m_close = new CSkinButton(this);
    m_icon = new CSkinIconStatic(this);
    m_text = new CSkinLabel(this);
    m_first = new CSkinButton(this);
    m_second = new CSkinButton(this);

    m_first->DrawTransparent();
    m_second->DrawTransparent();
    SetUpCloseButton();

    m_icon->SetIcon(CachedIcon(IconResource(type)));
    m_icon->setAccessibleName(DefaultCaption(type));
    m_caption->SetWindowText(DefaultCaption(type));
    if (!caption.isEmpty())
        m_caption->SetWindowText(caption);
    // Screen readers announce a dialog by its title.
    setWindowTitle(m_caption->Text());

    const int buttons = type & 0x0F;
    m_first->setText(IsYesNo(type) ? QStringLiteral("Yes") : QStringLiteral("OK"));
    m_second->setText(buttons == box_style::YesNo ? QStringLiteral("No") : QStringLiteral("Cancel"));
    m_second->setVisible(buttons == box_style::YesNo || buttons == box_style::OkCancel);

    m_text->SetWindowText(text);
    LayOut(owner);
    m_result = box_style::IdCancel;

    connect(m_first, &QAbstractButton::clicked, this, &CSkinMessageBox::OnOK);
    connect(m_second, &QAbstractButton::clicked, this, &CSkinMessageBox::OnCancel);
    connect(m_close, &QAbstractButton::clicked, this, &CSkinMessageBox::OnCancel);
    m_first->setFocus();
}

CSkinMessageBox::~CSkinMessageBox() = default;

QString CSkinMessageBox::DefaultCaption(int type)
{
    switch (type & 0xF0) {
    case box_style::IconHand:
        return QStringLiteral("Error");
    case box_style::IconExclamation:
        return QStringLiteral("Warning");
    case box_style::IconQuestion:
        return QStringLiteral("Question");
    default:
        return QStringLiteral("Info");
    }
}

int CSkinMessageBox::IconResource(int type)
{
    switch (type & 0xF0) {
    case box_style::IconHand:
        return skin_id::ErrorIcon;
    case box_style::IconExclamation:
        return skin_id::WarningIcon;
    case box_style::IconQuestion:
        return skin_id::QuestionIcon;
    default:
        return skin_id::InformationIcon;
    }
}

void CSkinMessageBox::SetUpCloseButton()
{
    m_close->SetBitmaps(skin_id::CloseHover, kWhite, skin_id::CloseIdle, kWhite);
    m_close->DrawTransparent();
    m_close->DrawBorder(false);
    m_close->SetAlign(1);
    m_close->SetColour(CSkinButton::TextOut, CloseBrown);
    m_close->SetColour(CSkinButton::TextFocus, CloseBrown);
    m_close->SetColour(CSkinButton::BackgroundIn, CloseBrown);
    m_close->SetColour(CSkinButton::TextIn, CloseHot);
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setAccessibleName(QStringLiteral("Close"));
}

void CSkinMessageBox::LayOut(QWidget* owner)
{
    const TextSize text = MeasureLines(m_text->Text(), SkinFont(m_text->FontHeight(), true));
    const int w = text.width;
    const int h = text.height;
    const int d = w >= 128 ? w + 52 : 180;
    setFixedSize(d, h + 102);

    QRect area;
    if (owner && owner->window()->isVisible() && !owner->window()->isMinimized()) {
        QWidget* main = owner->window();
        area = QRect(main->mapToGlobal(QPoint(0, 0)), main->size());
    } else {
        QScreen* screen = QGuiApplication::primaryScreen();
        area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    }
    move(area.left() + (area.width() - d) / 2, area.top() + (area.height() - h - 102) / 2);

    m_icon->setGeometry(4, (h + 70) / 2, 32, 32);
    m_text->setGeometry(36, 50, w + 2, h + 2);
    m_close->setGeometry(d - 32, 5, 18, 18);
    m_caption->setGeometry(4, 5, 120, 16);
    if ((m_type & 0x0F) != 0) {
        m_first->setGeometry(d / 2 - 72, h + 62, 70, 20);
        m_second->setGeometry(d / 2 + 2, h + 62, 70, 20);
    } else {
        m_first->setGeometry(d / 2 - 35, h + 62, 70, 20);
    }
}

void CSkinMessageBox::OnOK()
{
    m_result = IsYesNo(m_type) ? box_style::IdYes : box_style::IdOk;
    done(m_result);
}

void CSkinMessageBox::OnCancel()
{
    m_result = IsYesNo(m_type) ? box_style::IdNo : box_style::IdCancel;
    done(m_result);
}

void CSkinMessageBox::reject()
{
    OnCancel();
}

void CSkinMessageBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        break;
    case Qt::Key_Escape:
        OnCancel();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CSkinMessageBox::mousePressEvent(QMouseEvent* event)
{
    // The whole box is its caption: it can be dragged by any point.
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void CSkinMessageBox::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void CSkinMessageBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintSkinDialogBackground(p, size());
    // A soft plate under each text button, so they read as buttons on the body.
    p.setRenderHint(QPainter::Antialiasing);
    for (const CSkinButton* button : { m_first, m_second }) {
        if (button->isHidden())
            continue;
        const QRectF r = QRectF(button->geometry()).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, QColor(255, 255, 255));
        fill.setColorAt(1, QColor(206, 213, 228));
        p.setPen(QPen(QColor(138, 148, 172), 1));
        p.setBrush(fill);
        p.drawRoundedRect(r, 4, 4);
    }
}

int SkinMessageBox(QWidget* owner, const QString& text, const QString& caption, int type)
{
    CSkinMessageBox box(owner, text, caption, type);
    box.exec();
    return box.Result();
}

} // namespace kelvara
