// Shared drawing vocabulary of the skin generator: the palette, fonts and
// the finishing steps that turn an anti-aliased drawing into a keyed bitmap.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace Gen {

// The palette's anchors: the list's blue, the header's blue-grey, the scroll
// bars' slate, the frames' browns and greys.
inline const QColor Blue(5, 132, 226);
inline const QColor BlueDeep(2, 84, 160);
inline const QColor BlueLight(96, 182, 246);
inline const QColor HeaderGrey(185, 194, 212);
inline const QColor Slate(74, 82, 107);
inline const QColor SlateDeep(42, 48, 66);
inline const QColor SlateLight(118, 128, 156);
inline const QColor Brown(97, 66, 49);
inline const QColor Frame200(200, 200, 200);
inline const QColor Frame180(180, 180, 180);
inline const QColor SilverTop(238, 241, 247);
inline const QColor SilverBottom(203, 210, 224);
inline const QColor Ink(32, 36, 48);

inline constexpr QRgb White = 0xFFFFFFFF;
inline constexpr QRgb Red = 0xFFFF0000;

void LoadFonts();
QFont Font(int pixelSize, bool bold = true);

QImage NewImage(int width, int height);
// Pixels left fully transparent become the key colour; partly covered edge
// pixels are blended over the colour the bitmap will sit on, so no halo of
// the key shows. A drawn pixel that happens to equal the key is nudged off it.
QImage Flatten(const QImage& drawing, QColor sitsOn, QRgb key);
// An opaque picture with no key: every pixel kept, alpha dropped.
QImage Opaque(const QImage& drawing);
bool Save(const QImage& image, const QString& path);

QLinearGradient Vertical(const QRectF& rect, QColor top, QColor bottom);
QLinearGradient Horizontal(const QRectF& rect, QColor left, QColor right);

// A rounded, lit-from-above panel: the look of every raised piece of the skin.
void GlossyPanel(QPainter& p, const QRectF& rect, qreal radius, QColor base, bool lit);
// A rounded recess cut into the surface: frames of lists, preview and banner.
void Recess(QPainter& p, const QRectF& rect, qreal radius, QColor fill);
void Text(QPainter& p, const QRectF& rect, const QString& text, const QFont& font, QColor colour,
    int flags = Qt::AlignCenter);
void EmbossedText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font, QColor colour,
    QColor shadow, int flags = Qt::AlignCenter);

} // namespace Gen
