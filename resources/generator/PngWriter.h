// PNG files that the program decodes quickly: no row filtered, one zlib
// stream at the highest level. The default writer chooses a filter per row,
// mostly "Paeth", and the main window's background at twice the size then
// takes three times as long to decode, which the window's start waits for.
// The skin's flat, drawn pictures come out no larger.
#pragma once

#include <QImage>
#include <QString>

namespace kelvara::generator {

// Writes RGB, or RGBA when the image has an alpha channel, 8 bits each.
bool WriteFastPng(const QImage& image, const QString& path);

} // namespace kelvara::generator
