#include "SkinListCellPainting.h"

#include "FocusMark.h"
#include "PathElision.h"
#include "SkinPalette.h"

#include <QPen>

#include <algorithm>

namespace kelvara {

namespace {

// The system colours a Windows list uses where the owner gives none.
const QColor kWindowText(0, 0, 0);
const QColor kWindow(255, 255, 255);
const QColor kHotLight(0, 102, 204);
const QColor kHighlight(0, 120, 215);
const QColor kHighlightText(255, 255, 255);
const QColor kButtonFace(240, 240, 240);

const QColor kBarBase(255, 178, 16);
const QColor kBarFilledBase(162, 210, 117);

QColor Or(const QColor& given, const QColor& fallback)
{
    return given.isValid() ? given : fallback;
}

int Lighter(int channel, int step, bool capAt255)
{
    if (capAt255)
        return std::min(255, channel + step);
    return channel > 245 ? channel : channel + step;
}

QColor Lighter(const QColor& c, int step, bool capAt255)
{
    return QColor(Lighter(c.red(), step, capAt255), Lighter(c.green(), step, capAt255),
        Lighter(c.blue(), step, capAt255));
}

void FillRounded(QPainter& p, const QRect& r, const QColor& colour)
{
    p.setPen(colour);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
}

bool ShowsSelection(const ListCellInfo& info)
{
    return info.selected && !info.ignoreSelection;
}

// Where the check box and the image go; what is left is the text area.
QRect TakeSquare(QRect& area, int width, bool centre)
{
    if (centre) {
        const QRect square(area.left() + (area.width() - width) / 2, area.top(), width, area.height());
        area.setLeft(square.right() + 1);
        return square;
    }
    const QRect square(area.left(), area.top(), width, area.height());
    area.setLeft(area.left() + width);
    return square;
}

void PaintCheckBox(QPainter& p, QRect& area, const ListCellInfo& info, const CellColours& colours)
{
    const QRect box = TakeSquare(area, area.height(), info.centreCheckBox);
    const bool plain = info.checkOnUnselected || info.ignoreSelection;
    p.fillRect(box, plain ? colours.unselectedBack : colours.back);
    const QRect frame = box.adjusted(3, 3, -3, -3);
    p.setPen(kWindowText);
    p.setBrush(kWindow);
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    if (info.checked) {
        p.setPen(QPen(kWindowText, 2));
        p.drawLine(frame.left() + 2, frame.center().y(), frame.center().x(), frame.bottom() - 2);
        p.drawLine(frame.center().x(), frame.bottom() - 2, frame.right() - 2, frame.top() + 2);
    }
}

void PaintImage(QPainter& p, QRect& area, const ListCellInfo& info, const CellColours& colours)
{
    const SkinImageList& images = *info.imageList;
    const QRect slot = TakeSquare(area, images.IconWidth(), info.centreImage);
    const bool plain = info.imageOnUnselected || info.ignoreSelection;
    p.fillRect(slot, plain ? colours.unselectedBack : colours.back);
    QPixmap icon = images.Icon(info.imageIndex);
    if (ShowsSelection(info)) {
        // Half blended with the selected background, as a selected icon looks.
        QPainter blend(&icon);
        blend.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor half = colours.selectedBack;
        half.setAlpha(128);
        blend.fillRect(icon.rect(), half);
    }
    p.save();
    p.setClipRect(slot);
    p.drawPixmap(slot.left(), slot.top() + (slot.height() - LogicalSize(icon).height()) / 2, icon);
    p.restore();
}

void PaintText(QPainter& p, const QRect& area, const ListCellInfo& info, const QFont& listFont)
{
    QFont font = listFont;
    font.setBold(info.bold);
    font.setItalic(info.italic);
    p.setFont(font);
    const QFontMetrics metrics = p.fontMetrics();
    const QString shown = info.pathEllipsis ? ElidePath(info.text, metrics, area.width())
                                            : metrics.elidedText(info.text, Qt::ElideRight, area.width());
    // No mnemonic flag: "&" is drawn as it is.
    p.drawText(area, int(info.alignment | Qt::AlignVCenter | Qt::TextSingleLine), shown);
}

} // namespace

SkinImageList::SkinImageList(const QPixmap& strip, int iconWidth)
    : m_iconWidth(iconWidth)
{
    QImage image = strip.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = 0;
    }
    m_strip = QPixmap::fromImage(image);
}

QPixmap SkinImageList::Icon(int index) const
{
    // The strip may hold more pixels than it covers: copy in its own pixels.
    const int ratio = qRound(m_strip.devicePixelRatio());
    return m_strip.copy(index * m_iconWidth * ratio, 0, m_iconWidth * ratio, m_strip.height());
}

CellColours ResolveCellColours(const ListCellInfo& info, bool listFocused)
{
    CellColours c;
    c.unselectedBack = Or(info.backColour, kWindow);
    c.selectedBack
        = listFocused ? Or(info.selBackFocused, kHighlight) : Or(info.selBackUnfocused, kButtonFace);
    if (info.selected && info.hot)
        c.selectedBack = kHotLight;
    c.progressText = Or(info.progressTextColour, kHighlightText);
    if (ShowsSelection(info)) {
        c.text = Or(info.selTextColour, listFocused ? kHighlightText : kWindowText);
        c.back = c.selectedBack;
    } else if (info.hot) {
        c.text = Or(info.hotTextColour, kHotLight);
        c.back = c.unselectedBack;
    } else {
        c.text = Or(info.textColour, kWindowText);
        c.back = c.unselectedBack;
    }
    return c;
}

void PaintShadedBand(QPainter& p, const QRect& rect, QColor base)
{
    if (rect.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    FillRounded(p, rect, base);
    QRect inner = rect.adjusted(1, 1, -1, -1);
    QColor colour = Lighter(base, 5, true);
    if (!inner.isEmpty())
        FillRounded(p, inner, colour);
    while (true) {
        inner.adjust(0, 1, 0, -1);
        if (inner.isEmpty())
            break;
        colour = Lighter(colour, 10, false);
        p.fillRect(inner, colour);
    }
    p.restore();
}

QRect ProgressBarRect(const QRect& textArea, bool inset)
{
    QRect bar = textArea.adjusted(1, 1, -2, -1);
    if (inset)
        bar.adjust(2, 2, -2, -2);
    return bar;
}

QRect ProgressFilledRect(const QRect& bar, int position, int maximum)
{
    if (position < 1 || maximum < 1)
        return {};
    if (position >= maximum)
        return bar;
    const int width = static_cast<int>(static_cast<long long>(bar.width()) * position / maximum);
    return QRect(bar.left(), bar.top(), width, bar.height());
}

void PaintListCell(
    QPainter& p, const QRect& cell, const ListCellInfo& info, const QFont& listFont, CellPaintState state)
{
    const CellColours colours = ResolveCellColours(info, state.listFocused);
    QRect area = cell;
    if (info.hasCheckBox)
        PaintCheckBox(p, area, info, colours);
    if (info.imageIndex != -1 && info.imageList && info.imageIndex < info.imageList->Count())
        PaintImage(p, area, info, colours);

    const bool hasBar = info.progressMax >= 1;
    if (hasBar) {
        const QRect bar = ProgressBarRect(area, info.progressInset != 0);
        PaintShadedBand(p, bar, kBarBase);
        const QRect filled = ProgressFilledRect(bar, info.progressPos, info.progressMax);
        if (!filled.isEmpty())
            PaintShadedBand(p, filled, kBarFilledBase);
        if (!info.text.isEmpty()) {
            // Readable over both parts: one colour over the filled part, another over the rest.
            p.save();
            p.setClipRect(filled);
            p.setPen(colours.progressText);
            PaintText(p, area, info, listFont);
            p.setClipRegion(QRegion(area).subtracted(QRegion(filled)));
            p.setPen(colours.text);
            PaintText(p, area, info, listFont);
            p.restore();
        }
    } else if (area.width() > 0) {
        p.fillRect(area, colours.back);
        if (!info.text.isEmpty()) {
            p.setPen(colours.text);
            PaintText(p, area.adjusted(2, 0, 0, 0), info, listFont);
        }
    }
    if (state.focusCell && state.listFocused)
        PaintFocusMark(p, area);
}

} // namespace kelvara
