// Shortening a path to a width so that its file name stays readable.
#pragma once

#include <QFontMetrics>
#include <QString>

namespace kelvara {

// The path as it fits in `width` pixels: whole when it fits; otherwise the
// start of its folders, an ellipsis and the whole last part ("/home/an…/clip
// name.mp4"); a last part too long even for that is cut in its middle.
QString ElidePath(const QString& path, const QFontMetrics& metrics, int width);

} // namespace kelvara
