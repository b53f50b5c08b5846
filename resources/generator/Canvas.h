// Shared drawing vocabulary of the skin generator: the palette, fonts and
// the finishing steps that turn an anti-aliased drawing into a keyed bitmap.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace kelvara::generator {

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

// The scale every picture is drawn at: 1 for the ordinary bitmaps, 2 for the
// high-density ones. Drawings are written in ordinary pixels; the canvases
// they get have Scale() times as many pixels each way and a painter on them
// maps every ordinary pixel onto a Scale() x Scale() block, so lines, shapes
// and text are drawn at the finer resolution, not enlarged afterwards.
int Scale();

// Draws at another scale for as long as it lives.
class ScaleScope {
public:
    explicit ScaleScope(int scale);
    ~ScaleScope();
    ScaleScope(const ScaleScope&) = delete;
    ScaleScope& operator=(const ScaleScope&) = delete;

private:
    int m_previous;
};

// A transparent canvas of width x height ordinary pixels at the current scale.
QImage NewImage(int width, int height);
// An opaque canvas, for pictures that paint every pixel themselves.
QImage NewOpaqueImage(int width, int height);
// Pixels left fully transparent become the key colour; partly covered edge
// pixels are blended over the colour the bitmap will sit on, so no halo of
// the key shows. A drawn pixel that happens to equal the key is nudged off it.
// On a scaled canvas the key is given only to whole blocks that stand for one
// ordinary pixel: window outlines and masks work in ordinary pixels, so a
// block is either all outside or all picture (its uncovered pixels then show
// the colour the bitmap sits on).
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

} // namespace kelvara::generator
