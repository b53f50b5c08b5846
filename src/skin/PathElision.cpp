#include "PathElision.h"

namespace kelvara {

QString ElidePath(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const QString ellipsis(QChar(0x2026));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    const QString tail = ellipsis + path.mid(slash);
    if (slash < 0 || name.isEmpty() || metrics.horizontalAdvance(tail) > width)
        return metrics.elidedText(path, Qt::ElideMiddle, width);
    // The longest start of the folders that still leaves room for the name.
    // Widths grow with the length, so halve the range each time.
    qsizetype fits = 0;
    qsizetype tooLong = slash + 1;
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (metrics.horizontalAdvance(path.left(middle) + tail) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    // Never end the start inside a surrogate pair.
    if (fits > 0 && path[fits - 1].isHighSurrogate())
        --fits;
    return path.left(fits) + tail;
}

} // namespace kelvara
