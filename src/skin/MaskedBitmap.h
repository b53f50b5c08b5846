// Bitmaps with a transparent colour: preparing them, and drawing them plain
// or with the greyed look of a disabled control.
#pragma once

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRgb>

namespace kelvara {

// Returns a mask of the source's size (and device pixel ratio) that is set (Qt::color1) exactly where
// the source has the transparent colour, and turns those source pixels fully
// transparent, so drawing the source afterwards shows the background there.
// A null mask when the source is null.
QBitmap MakeTransparencyMask(QImage& source, QRgb transparentColour);

// A bitmap prepared by MakeTransparencyMask.
struct MaskedBitmap {
    QImage image; // transparent where the key colour was
    QBitmap mask;
    QRgb transparentColour = 0;

    bool IsNull() const { return image.isNull(); }
    // In the coordinates it is drawn in: a picture of ratio 2 covers half its pixels.
    QSize Size() const { return image.deviceIndependentSize().toSize(); }
};

// Loads and prepares a bitmap; null when the image is null or the mask fails.
MaskedBitmap PrepareMaskedBitmap(QImage image, QRgb transparentColour);

void DrawMaskedBitmap(QPainter& painter, QPoint at, const MaskedBitmap& bitmap);

// The disabled look: the picture is composed over the disabled key colour
// RGB(114,139,139) and then embossed: its dark parts drawn in the shadow
// colour with a highlight one pixel down and right, its light parts left out.
QImage DisabledLook(const MaskedBitmap& bitmap, QColor highlight, QColor shadow);
void DrawDisabledBitmap(
    QPainter& painter, QPoint at, const MaskedBitmap& bitmap, QColor highlight, QColor shadow);

} // namespace kelvara
