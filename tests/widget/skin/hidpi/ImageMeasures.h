// Measures that tell a picture drawn at twice the size from an enlarged one,
// and compare pictures of the two ratios with each other.
#pragma once

#include <QImage>
#include <QWidget>

namespace kelvara::testing {

// The widget painted as on a screen of ratio 1, whatever this screen's ratio.
QImage RenderAtRatioOne(QWidget& widget);
// Opaque: transparent pixels composed over mid grey.
QImage Flattened(const QImage& image);
// Each 2 x 2 block averaged into one pixel, ratio 1.
QImage Halved(const QImage& image);
// Twice the size, with each pixel repeated or with smooth filtering.
QImage Enlarged(const QImage& image, Qt::TransformationMode mode);
// The mean difference of the colour channels, 0..255; 255 for different sizes.
double MeanDifference(const QImage& a, const QImage& b);
// Aligned 2 x 2 blocks whose pixels are not all equal (none in an enlargement
// that repeats pixels).
int NonUniformBlocks(const QImage& image);
// The sum of squared brightness steps between neighbours: a sharp edge makes
// one big step, a blurred one several small ones that sum to less.
double EdgeEnergy(const QImage& image);
// Pixels whose brightness differs from the right or lower neighbour by more
// than a third of the range: the crisp edges of shapes and letters.
int DistinctEdgePixels(const QImage& image);

} // namespace kelvara::testing
