// Every picture the program asks for by id exists with the size its users expect.
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSize>
#include <QtEndian>
#include <gtest/gtest.h>

// The icon theme's pictures live in a resource collection of their own.
static void InitAppIconResources()
{
    Q_INIT_RESOURCE(appicon);
}

using namespace kelvara;

namespace {

struct Expected {
    int id;
    QSize size;
};

constexpr int TabCount[] = { 7, 7, 10 };

TEST(SkinResources, EveryBitmapHasItsSize)
{
    const Expected bitmaps[] = {
        { 173, { 397, 29 } },
        { 174, { 372, 279 } },
        { 175, { 1, 18 } },
        { 176, { 54, 12 } },
        { 177, { 16, 16 } },
        { 178, { 165, 21 } },
        { 149, { 28, 15 } },
        { 150, { 28, 15 } },
        { 157, { 1, 16 } },
        { 158, { 2, 16 } },
        { 159, { 2, 16 } },
        { 160, { 26, 15 } },
        { 161, { 16, 15 } },
        { 162, { 1, 16 } },
        { 163, { 16, 15 } },
        { 165, { 15, 16 } },
        { 166, { 16, 1 } },
        { 167, { 15, 26 } },
        { 168, { 15, 16 } },
        { 170, { 15, 16 } },
        { 171, { 359, 212 } },
        { 183, { 771, 572 } },
        { 197, { 6, 11 } },
        { 198, { 13, 17 } },
        { 199, { 13, 17 } },
        { 200, { 3, 7 } },
        { 201, { 298, 217 } },
        { 212, { 80, 16 } },
        { 215, { 357, 263 } },
    };
    for (const Expected& e : bitmaps)
        EXPECT_EQ(LoadSkinImage(e.id).size(), e.size) << "bitmap " << e.id;
}

TEST(SkinResources, EveryTabHasASelectedAndANormalPictureOfOneSize)
{
    const int firsts[] = { skin_id::PcTabs, skin_id::MobileTabs, skin_id::AudioTabs };
    for (int strip = 0; strip < 3; ++strip) {
        for (int tab = 0; tab < TabCount[strip]; ++tab) {
            const QSize selected = LoadSkinImage(firsts[strip] + tab).size();
            EXPECT_EQ(selected.height(), 28) << "tab " << firsts[strip] + tab;
            EXPECT_GE(selected.width(), 432 / TabCount[strip]);
            EXPECT_EQ(LoadSkinImage(firsts[strip] + skin_id::kTabNormalOffset + tab).size(), selected);
        }
        EXPECT_TRUE(LoadSkinImage(firsts[strip] + TabCount[strip]).isNull());
    }
    for (int look = 0; look < 3; ++look)
        for (const int arrow : { skin_id::TabScrollLeft, skin_id::TabScrollRight })
            EXPECT_EQ(LoadSkinImage(arrow + look).size(), QSize(16, 28)) << "arrow " << arrow + look;
}

// The taskbar shows the window's icon, the menu the theme's: one picture.
TEST(SkinResources, TheWindowIconIsTheProgramIconAtBothScales)
{
    InitAppIconResources();
    for (const auto& [ratio, themeSize] : { std::pair { 1, 32 }, std::pair { 2, 64 } }) {
        const QImage theme(QStringLiteral(":/appicon/%1.png").arg(themeSize));
        ASSERT_FALSE(theme.isNull()) << themeSize;
        const QImage window = LoadSkinIcon(skin_id::AppIcon, ratio).toImage();
        EXPECT_EQ(window.convertToFormat(QImage::Format_ARGB32), theme.convertToFormat(QImage::Format_ARGB32))
            << "scale " << ratio;
    }
}

TEST(SkinResources, IconsAndSoundsExist)
{
    for (int id : { 129, 130, 131, 132 })
        EXPECT_EQ(LoadSkinIcon(id).size(), QSize(32, 32)) << "icon " << id;
    for (int id : { 155, 156 })
        EXPECT_FALSE(LoadSkinIcon(id).isNull()) << "icon " << id;
    for (int id : { 260, 261, 262, 263 })
        EXPECT_EQ(LoadSkinIcon(id).size(), QSize(32, 40)) << "icon " << id;
    for (const char* sound : { ":/sounds/211.wav", ":/sounds/menu.wav" }) {
        QFile file(QString::fromLatin1(sound));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << sound;
        EXPECT_TRUE(file.read(4) == "RIFF") << sound;
        EXPECT_GT(file.size(), 1000) << sound;
    }
}

TEST(SkinResources, MainBackgroundIsWhiteOutsideItsRoundedOutline)
{
    const QImage background = LoadSkinImage(skin_id::MainBackground);
    EXPECT_EQ(background.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(background.pixel(770, 0), qRgb(255, 255, 255));
    EXPECT_EQ(background.pixel(0, 571), qRgb(255, 255, 255));
    EXPECT_NE(background.pixel(385, 20), qRgb(255, 255, 255));
    EXPECT_NE(background.pixel(385, 300), qRgb(255, 255, 255));
}

// The filter byte of each row of a PNG file: the default writer's filters
// make the large pictures decode three times slower, and the window's first
// picture waits for them.
QByteArray RowFilters(const QByteArray& png)
{
    QByteArray stream;
    qsizetype at = 8;
    quint32 width = 0;
    quint32 height = 0;
    int bytesPerPixel = 0;
    while (at + 12 <= png.size()) {
        const auto length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        const QByteArray data = png.mid(at + 8, length);
        if (type == "IHDR") {
            width = qFromBigEndian<quint32>(data.constData());
            height = qFromBigEndian<quint32>(data.constData() + 4);
            bytesPerPixel = data[9] == 6 ? 4 : 3; // RGBA or RGB, 8 bits each
        } else if (type == "IDAT") {
            stream += data;
        }
        at += 12 + length;
    }
    const quint32 stride = width * quint32(bytesPerPixel) + 1;
    QByteArray sized(4, '\0');
    qToBigEndian(stride * height, sized.data());
    const QByteArray rows = qUncompress(sized + stream);
    QByteArray filters;
    for (quint32 y = 0; y < height && (y + 1) * stride <= quint32(rows.size()); ++y)
        filters += rows[qsizetype(y * stride)];
    return rows.size() == qsizetype(stride * height) ? filters : QByteArray("unreadable");
}

TEST(SkinResources, EveryPictureIsStoredWithUnfilteredRows)
{
    int pictures = 0;
    for (const char* folder : { ":/skin", ":/icons" }) {
        QDirIterator it(QString::fromLatin1(folder), { QStringLiteral("*.png") });
        while (it.hasNext()) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            const QByteArray filters = RowFilters(file.readAll());
            EXPECT_TRUE(!filters.isEmpty() && filters.count('\0') == filters.size())
                << file.fileName().toStdString();
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 100);
}

TEST(SkinResources, PaletteHoldsItsBitmapsAndColours)
{
    const SkinPalette& s = Skin();
    EXPECT_EQ(s.faceStrip.size(), QSize(1, 18));
    EXPECT_EQ(s.listTile.size(), QSize(165, 21));
    EXPECT_EQ(s.scrollCorner.size(), QSize(15, 16));
    EXPECT_EQ(s.comboFrameDark, QColor(180, 180, 180));
    EXPECT_EQ(s.listBoxFrameDark, QColor(97, 66, 49));
    EXPECT_EQ(s.scrollFill, QColor(74, 82, 107));
}

} // namespace
