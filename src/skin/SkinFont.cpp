#include "SkinFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QtEndian>

namespace kelvara {

namespace {

QString LoadFamily(const QString& file)
{
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

const QString& Family()
{
    static const QString family = [] {
        const QString regular = LoadFamily(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
        LoadFamily(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
        return regular.isEmpty() ? QStringLiteral("DejaVu Sans") : regular;
    }();
    return family;
}

// The cell of one em in font units as Windows measures it, or 0 when the
// font has no OS/2 table.
qreal WindowsCellPerEm(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr int kWinAscentAt = 74; // then usWinDescent, both big-endian uint16
    if (!raw.isValid() || raw.unitsPerEm() <= 0 || os2.size() < kWinAscentAt + 4)
        return 0;
    const auto* bytes = reinterpret_cast<const uchar*>(os2.constData()) + kWinAscentAt;
    const int cell = qFromBigEndian<quint16>(bytes) + qFromBigEndian<quint16>(bytes + 2);
    return cell / raw.unitsPerEm();
}

// The skin's family at `height` pixels, before any fitting.
QFont BaseFont(int height, bool bold)
{
    QFont font(Family());
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setPixelSize(qMax(height, 1));
    return font;
}

} // namespace

QFont SkinFontAtDesignHeight(int height, bool bold)
{
    static QHash<int, QFont> cache;
    const int key = height * 2 + (bold ? 1 : 0);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QFont font = BaseFont(height, bold);
    const qreal cellPerEm = WindowsCellPerEm(font);
    if (cellPerEm <= 0)
        return SkinFont(height, bold);
    font.setPixelSize(qMax(1, qRound(height / cellPerEm)));
    cache.insert(key, font);
    return font;
}

QFont SkinFont(int height, bool bold)
{
    static QHash<int, QFont> cache;
    const int key = height * 2 + (bold ? 1 : 0);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QFont font = BaseFont(height, bold);
    int pixelSize = qMax(height, 1);
    while (pixelSize > 1 && QFontMetrics(font).height() > height) {
        --pixelSize;
        font.setPixelSize(pixelSize);
    }
    cache.insert(key, font);
    return font;
}

} // namespace kelvara
