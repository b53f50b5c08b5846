#include "SkinFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>

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

} // namespace

QFont SkinFont(int height, bool bold)
{
    static QHash<int, QFont> cache;
    const int key = height * 2 + (bold ? 1 : 0);
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QFont font(Family());
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    int pixelSize = qMax(height, 1);
    font.setPixelSize(pixelSize);
    while (pixelSize > 1 && QFontMetrics(font).height() > height) {
        --pixelSize;
        font.setPixelSize(pixelSize);
    }
    cache.insert(key, font);
    return font;
}

} // namespace kelvara
