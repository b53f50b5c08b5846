#include "CSkinButton.h"

#include "FocusMark.h"
#include "SkinFont.h"
#include "SkinPalette.h"
#include "platform/SoundPlayer.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace kelvara {

namespace {
const QColor TextUnderlay(200, 200, 200);
constexpr int kTextHeight = 12;
} // namespace

CSkinButton::CSkinButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    SetDefaultColours(false);
    // Connected first, so the button's own click behaviour runs before any
    // handler the owner connects.
    connect(this, &QAbstractButton::clicked, this, &CSkinButton::OnClicked);
}

CSkinButton::~CSkinButton() = default;

void CSkinButton::SetCheckMode(bool checkMode)
{
    m_checkMode = checkMode;
    update();
}

int CSkinButton::SetBitmaps(int inId, QRgb inTransparent, int outId, QRgb outTransparent)
{
    ClearImages();
    LazyMaskedBitmap in(inId, inTransparent);
    LazyMaskedBitmap out = outId != 0 ? LazyMaskedBitmap(outId, outTransparent) : LazyMaskedBitmap();
    if (in.IsNull() || (outId != 0 && out.IsNull()))
        return 1;
    m_bitmapIn = std::move(in);
    m_bitmapOut = std::move(out);
    update();
    return 0;
}

int CSkinButton::SetBitmaps(const QImage& in, QRgb inTransparent, const QImage& out, QRgb outTransparent)
{
    ClearImages();
    if (in.isNull())
        return 1;
    m_bitmapIn = LazyMaskedBitmap(PrepareMaskedBitmap(in, inTransparent));
    if (!out.isNull())
        m_bitmapOut = LazyMaskedBitmap(PrepareMaskedBitmap(out, outTransparent));
    if (m_bitmapIn.IsNull() || (!out.isNull() && m_bitmapOut.IsNull())) {
        ClearImages();
        return 2;
    }
    update();
    return 0;
}

int CSkinButton::SetIcon(int inId, int outId)
{
    const QPixmap in = LoadSkinIcon(inId);
    const QPixmap out = outId != 0 ? LoadSkinIcon(outId) : QPixmap();
    if (in.isNull() || (outId != 0 && out.isNull())) {
        ClearImages();
        return 1;
    }
    return SetIcon(in, out);
}

int CSkinButton::SetIcon(const QPixmap& in, const QPixmap& out)
{
    ClearImages();
    if (in.isNull())
        return 1;
    m_iconIn.pixmap = in;
    m_iconOut.pixmap = out;
    update();
    return 0;
}

int CSkinButton::SetAlign(int align, bool repaint)
{
    if (align > 3)
        return 4;
    m_align = align;
    Repaint(repaint);
    return 0;
}

int CSkinButton::SetColour(int index, QColor colour, bool repaint)
{
    if (index < 0 || index > 5)
        return 3;
    m_colours[index] = colour;
    Repaint(repaint);
    return 0;
}

void CSkinButton::SetDefaultColours(bool repaint)
{
    const QPalette system = QApplication::palette();
    for (int i = 0; i < 6; ++i)
        m_colours[i] = system.color(i % 2 == 0 ? QPalette::Button : QPalette::ButtonText);
    Repaint(repaint);
}

QColor CSkinButton::Colour(int index) const
{
    return index >= 0 && index <= 5 ? m_colours[index] : QColor();
}

void CSkinButton::DrawTransparent(bool repaint)
{
    m_drawTransparent = true;
    Repaint(repaint);
}

void CSkinButton::DrawBorder(bool drawBorder, bool repaint)
{
    m_drawBorder = drawBorder;
    Repaint(repaint);
}

void CSkinButton::SetCheck(bool checked, bool repaint)
{
    if (!m_checkMode)
        return;
    m_checked = checked;
    Repaint(repaint);
}

int CSkinButton::SetMenu(std::unique_ptr<QMenu> menu, QWidget* owner, bool repaint)
{
    m_menu = std::move(menu);
    m_menuOwner = owner;
    Repaint(repaint);
    return m_menu ? 0 : 1;
}

void CSkinButton::SetSound(const QString& path, bool async)
{
    m_soundPath = path.left(kMaxSoundPathLength);
    m_soundAsync = async;
}

bool CSkinButton::IsPressedLook() const
{
    if (m_checkMode)
        return isDown() || m_checked;
    return isDown() || (m_menu && m_menuShown);
}

bool CSkinButton::ShowsFocusMark() const
{
    return hasFocus() && !m_focusFromMouse;
}

CSkinButton::Image CSkinButton::ShownImage() const
{
    const bool haveIn = !m_iconIn.IsNull() || !m_bitmapIn.IsNull();
    if (!haveIn)
        return Image::None;
    const bool pressed = IsPressedLook();
    const bool useIn = m_checkMode ? pressed : (pressed || m_mouseOver);
    const bool haveOut = !m_iconOut.IsNull() || !m_bitmapOut.IsNull();
    return useIn || !haveOut ? Image::In : Image::Out;
}

void CSkinButton::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    if (m_checkMode) {
        m_checked = !m_checked;
        update();
        return;
    }
    if (!m_menu)
        return;
    m_menuShown = true;
    repaint();
    const int command = TrackMenu(mapToGlobal(rect().bottomLeft() + QPoint(0, 1)));
    m_menuShown = false;
    repaint();
    if (command == 0)
        return;
    QPointer<CSkinButton> self(this);
    QObject* context = m_menuOwner ? static_cast<QObject*>(m_menuOwner.data()) : this;
    QMetaObject::invokeMethod(
        context,
        [self, command] {
            if (self)
                emit self->MenuCommand(command);
        },
        Qt::QueuedConnection);
}

int CSkinButton::TrackMenu(const QPoint& globalPosition)
{
    QAction* chosen = m_menu->exec(globalPosition);
    return chosen ? chosen->data().toInt() : 0;
}

void CSkinButton::TrackHover(QPoint position, Qt::MouseButtons buttons)
{
    // A press that started elsewhere and is dragged in does not light the button.
    if ((buttons & Qt::LeftButton) && !m_mouseOver)
        return;
    const bool over = rect().contains(position) && isEnabled();
    if (over && (m_alwaysTrack || QApplication::activeWindow())) {
        if (!m_mouseOver) {
            m_mouseOver = true;
            update();
            if (!m_soundPath.isEmpty())
                (m_soundPlayer ? *m_soundPlayer : platform::DefaultSoundPlayer())
                    .Play(m_soundPath, m_soundAsync);
        }
        return;
    }
    LeaveHover();
}

void CSkinButton::LeaveHover()
{
    if (!m_mouseOver)
        return;
    m_mouseOver = false;
    update();
}

void CSkinButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    TrackHover(event->position().toPoint(), QApplication::mouseButtons());
}

void CSkinButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    LeaveHover();
}

void CSkinButton::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);
    TrackHover(event->position().toPoint(), event->buttons());
}

void CSkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is two clicks, so a check box toggles twice.
    mousePressEvent(event);
}

void CSkinButton::keyPressEvent(QKeyEvent* event)
{
    // Space presses and clicks on release in the base class. Return and Enter
    // click at once, as a dialog's push button does; a menu button also opens
    // with Down, as a menu bar's entries do. A check box keeps Return for the
    // window.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool opensMenu = key == Qt::Key_Down && m_menu;
    if (modifiers == Qt::NoModifier && ((enter && !m_checkMode) || opensMenu)) {
        NoteKeyboardUse();
        click();
        return;
    }
    if (key == Qt::Key_Space)
        NoteKeyboardUse();
    QAbstractButton::keyPressEvent(event);
}

void CSkinButton::NoteKeyboardUse()
{
    if (!m_focusFromMouse)
        return;
    m_focusFromMouse = false;
    update();
}

void CSkinButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    // Coming back to the window or from a menu keeps how the focus came.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        m_focusFromMouse = reason == Qt::MouseFocusReason;
    update();
}

void CSkinButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    LeaveHover();
    update();
}

void CSkinButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        MoveFocusOnDisable();
        LeaveHover();
    } else if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        LeaveHover();
    } else if (event->type() == QEvent::PaletteChange) {
        SetDefaultColours(true);
    }
}

bool CSkinButton::event(QEvent* event)
{
    if (event->type() == QEvent::Hide || event->type() == QEvent::UngrabMouse)
        LeaveHover();
    return QAbstractButton::event(event);
}

void CSkinButton::MoveFocusOnDisable()
{
    // The focus goes to the next control of the window, whether or not this one had it.
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (w->window() == window() && w != window() && w->isEnabled() && w->isVisible()
            && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    if (parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

void CSkinButton::ClearImages()
{
    m_iconIn = {};
    m_iconOut = {};
    m_bitmapIn = {};
    m_bitmapOut = {};
    update();
}

void CSkinButton::Repaint(bool repaint)
{
    if (repaint)
        update();
}

QSize CSkinButton::ImageSize() const
{
    const Image shown = ShownImage();
    if (!m_iconIn.IsNull())
        return LogicalSize(shown == Image::Out ? m_iconOut.pixmap : m_iconIn.pixmap);
    if (!m_bitmapIn.IsNull())
        return (shown == Image::Out ? m_bitmapOut : m_bitmapIn).Size();
    return {};
}

void CSkinButton::LayOut(QRect& imageRect, QRect& textRect) const
{
    const QRect client = rect();
    textRect = client;
    const QSize size = ImageSize();
    if (size.isEmpty()) {
        imageRect = {};
        return;
    }
    imageRect = QRect(QPoint(), size);
    if (text().isEmpty()) {
        imageRect.moveCenter(client.center());
    } else if (m_align == 1) {
        imageRect.moveTopLeft(QPoint((client.width() - size.width()) / 2, m_margin.y()));
        textRect.setTop(imageRect.bottom() + 1 + m_margin.y());
    } else {
        imageRect.moveTopLeft(QPoint(m_margin.x(), (client.height() - size.height()) / 2));
        textRect.setLeft(imageRect.right() + 1 + m_margin.x());
    }
    if (IsPressedLook() && !m_checkMode)
        imageRect.translate(m_pressedOffset);
}

void CSkinButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect client = rect();
    if (!m_drawTransparent)
        OnDrawBackground(p, client);
    if (m_drawBorder)
        OnDrawBorder(p, client);
    QRect imageRect;
    QRect textRect;
    LayOut(imageRect, textRect);
    if (!m_iconIn.IsNull())
        DrawTheIcon(p, imageRect);
    else if (!m_bitmapIn.IsNull())
        DrawTheBitmap(p, imageRect);
    if (!text().isEmpty())
        DrawTheText(p, textRect);
    if (ShowsFocusMark())
        PaintFocusMark(p, FocusMarkRect());
}

QRect CSkinButton::FocusMarkRect() const
{
    return rect();
}

void CSkinButton::OnDrawBackground(QPainter& painter, const QRect& rect)
{
    int index = BackgroundOut;
    if (m_mouseOver || IsPressedLook())
        index = BackgroundIn;
    else if (hasFocus())
        index = BackgroundFocus;
    painter.fillRect(rect, m_colours[index]);
}

void CSkinButton::OnDrawBorder(QPainter& painter, const QRect& rect)
{
    const QPalette system = QApplication::palette();
    const bool pressed = IsPressedLook();
    if (!pressed && !m_mouseOver)
        return;
    const QColor topLeft = system.color(pressed ? QPalette::Dark : QPalette::Light);
    const QColor bottomRight = system.color(pressed ? QPalette::Light : QPalette::Dark);
    const QRect r = rect.adjusted(0, 0, -1, -1);
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

void CSkinButton::DrawTheIcon(QPainter& painter, const QRect& imageRect)
{
    const QPixmap& icon = ShownImage() == Image::Out ? m_iconOut.pixmap : m_iconIn.pixmap;
    if (isEnabled()) {
        painter.drawPixmap(imageRect.topLeft(), icon);
        return;
    }
    const MaskedBitmap asBitmap { icon.toImage().convertToFormat(QImage::Format_ARGB32), {}, 0 };
    const QPalette system = QApplication::palette();
    DrawDisabledBitmap(
        painter, imageRect.topLeft(), asBitmap, system.color(QPalette::Light), system.color(QPalette::Dark));
}

void CSkinButton::DrawTheBitmap(QPainter& painter, const QRect& imageRect)
{
    const MaskedBitmap& bitmap = (ShownImage() == Image::Out ? m_bitmapOut : m_bitmapIn).Get();
    if (!isEnabled() && m_greyWhenDisabled) {
        const QPalette system = QApplication::palette();
        DrawDisabledBitmap(painter, imageRect.topLeft(), bitmap, system.color(QPalette::Light),
            system.color(QPalette::Dark));
        return;
    }
    DrawMaskedBitmap(painter, imageRect.topLeft(), bitmap);
}

void CSkinButton::DrawTheText(QPainter& painter, const QRect& textRect)
{
    QRect area = textRect;
    if (IsPressedLook() && !m_checkMode)
        area.translate(m_pressedOffset);
    painter.setFont(SkinFont(kTextHeight, true));
    constexpr int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop;
    QRect box = painter.boundingRect(area, flags, text());
    box.moveCenter(area.translated(-1, -1).center());
    painter.setPen(TextUnderlay);
    painter.drawText(box, flags, text());
    if (!isEnabled()) {
        const QPalette system = QApplication::palette();
        painter.setPen(system.color(QPalette::Light));
        painter.drawText(box.translated(1, 1), flags, text());
        painter.setPen(system.color(QPalette::Dark));
        painter.drawText(box, flags, text());
        return;
    }
    int index = TextOut;
    if (m_mouseOver || IsPressedLook())
        index = TextIn;
    else if (hasFocus())
        index = TextFocus;
    painter.setPen(m_colours[index]);
    painter.drawText(box.translated(-1, -1), flags, text());
}

} // namespace kelvara
