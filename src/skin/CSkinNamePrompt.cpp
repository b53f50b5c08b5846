#include "CSkinNamePrompt.h"

#include "CSkinLabel.h"
#include "CSkinTextButton.h"
#include "CSkinTextField.h"
#include "SkinDialogBackground.h"
#include "SkinResourceIds.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace kelvara {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 132;
constexpr QRgb kWhite = qRgb(255, 255, 255);

} // namespace

CSkinNamePrompt::CSkinNamePrompt(
    QWidget* owner, const QString& caption, const QString& question, const QString& start)
    : QDialog(owner ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    setWindowTitle(caption);
    setFixedSize(kWidth, kHeight);
    m_caption = new CSkinLabel(caption, this);
    m_caption->setGeometry(4, 5, kWidth - 40, 16);
    m_question = new CSkinLabel(question, this);
    m_question->setGeometry(16, 40, kWidth - 32, 16);
    m_field = new CSkinTextField(this, TextFieldKind::Path);
    m_field->setGeometry(16, 62, kWidth - 32, 20);
    m_field->setAccessibleName(question);
    m_field->SetText(start);
    m_field->installEventFilter(this);
    m_field->SelectRange(0, static_cast<int>(start.size()));
    m_ok = new CSkinTextButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(kWidth / 2 - 72, 98, 70, 20);
    m_cancel = new CSkinTextButton(QStringLiteral("Cancel"), this);
    m_cancel->setGeometry(kWidth / 2 + 2, 98, 70, 20);
    m_close = new CSkinButton(this);
    m_close->SetBitmaps(skin_id::CloseHover, kWhite, skin_id::CloseIdle, kWhite);
    m_close->DrawTransparent();
    m_close->DrawBorder(false);
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setAccessibleName(QStringLiteral("Close"));
    m_close->setGeometry(kWidth - 32, 5, 18, 18);

    connect(m_ok, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);

    QRect area;
    if (owner && owner->window()->isVisible())
        area = QRect(owner->window()->mapToGlobal(QPoint(0, 0)), owner->window()->size());
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->geometry();
    move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    m_field->setFocus();
}

QString CSkinNamePrompt::Answer() const
{
    return result() == QDialog::Accepted ? m_field->GetText().trimmed() : QString();
}

void CSkinNamePrompt::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintSkinDialogBackground(p, size());
}

// The field takes every key it is given; Return and Escape are the box's.
bool CSkinNamePrompt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Return takes the name from anywhere in the box, Escape leaves it.
void CSkinNamePrompt::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        accept();
    else
        QDialog::keyPressEvent(event);
}

void CSkinNamePrompt::mousePressEvent(QMouseEvent* event)
{
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void CSkinNamePrompt::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

std::optional<QString> AskSkinName(
    QWidget* owner, const QString& caption, const QString& question, const QString& start)
{
    CSkinNamePrompt prompt(owner, caption, question, start);
    prompt.exec();
    const QString answer = prompt.Answer();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

} // namespace kelvara
