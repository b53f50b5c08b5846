// Transparent bitmaps, window outlines from pictures and the fades.
#include "SkinTestSupport.h"
#include "skin/CFadeInPicture.h"
#include "skin/LayeredFadeIn.h"
#include "skin/MaskedBitmap.h"
#include "skin/RegionFromBitmap.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

constexpr QRgb White = 0xFFFFFFFF;

QImage Checkerboard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 2 ? White : qRgb(10, 20, 30));
    return image;
}

TEST(RegionFromBitmap, AllKeyBitmapGivesEmptyRegion)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(White);
    const auto region = RegionFromBitmap(image, White, 0);
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->isEmpty());
}

TEST(RegionFromBitmap, NullBitmapGivesNoRegion)
{
    EXPECT_FALSE(RegionFromBitmap(QImage(), White, 0).has_value());
}

TEST(RegionFromBitmap, ManyRunsGiveExactlyTheNonKeyPixels)
{
    // 120 x 80 checkerboard: 4800 one-pixel runs, more than one batch of rectangles.
    const QImage image = Checkerboard(120, 80);
    const auto region = RegionFromBitmap(image, White, 0);
    ASSERT_TRUE(region.has_value());
    QRegion expected;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != White)
                expected += QRect(x, y, 1, 1);
    EXPECT_TRUE(region->xored(expected).isEmpty());
    EXPECT_TRUE(region->contains(QPoint(0, 0)));
    EXPECT_FALSE(region->contains(QPoint(1, 0)));
    EXPECT_TRUE(region->contains(QPoint(119, 79)));
}

TEST(RegionFromBitmap, RunsSpanConsecutivePixels)
{
    QImage image(10, 2, QImage::Format_RGB32);
    image.fill(White);
    for (int x = 2; x < 7; ++x)
        image.setPixel(x, 1, qRgb(0, 0, 0));
    const auto region = RegionFromBitmap(image, White, 0);
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(region->boundingRect(), QRect(2, 1, 5, 1));
}

TEST(RegionFromBitmap, ToleranceWidensTheKeyAndCapsAt255)
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(250, 250, 250)); // near the key
    image.setPixel(1, 0, qRgb(255, 255, 255)); // far end of the range
    image.setPixel(2, 0, qRgb(5, 200, 200)); // below the key's red
    const auto near = RegionFromBitmap(image, qRgb(248, 248, 248), 3);
    ASSERT_TRUE(near.has_value());
    EXPECT_FALSE(near->contains(QPoint(0, 0)));
    EXPECT_TRUE(near->contains(QPoint(1, 0)));

    // 10 + 255 must stop at 255, not wrap round to a small bound.
    const auto wide = RegionFromBitmap(image, qRgb(10, 10, 10), 255);
    ASSERT_TRUE(wide.has_value());
    EXPECT_FALSE(wide->contains(QPoint(0, 0)));
    EXPECT_FALSE(wide->contains(QPoint(1, 0)));
    EXPECT_TRUE(wide->contains(QPoint(2, 0)));
}

TEST(RegionFromBitmap, MainBackgroundOutlineIsRounded)
{
    const auto region = RegionFromBitmap(LoadSkinImage(skin_id::MainBackground), White, 0);
    ASSERT_TRUE(region.has_value());
    EXPECT_FALSE(region->contains(QPoint(0, 0)));
    EXPECT_TRUE(region->contains(QPoint(385, 300)));
    EXPECT_TRUE(region->contains(QPoint(15, 125)));
}

TEST(MaskedBitmap, MaskMarksKeyPixelsAndClearsThemInTheSource)
{
    QImage source(4, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, White);
    source.setPixel(1, 0, qRgb(1, 2, 3));
    source.setPixel(2, 0, White);
    source.setPixel(3, 0, qRgb(254, 255, 255));
    const QBitmap mask = MakeTransparencyMask(source, White);
    ASSERT_FALSE(mask.isNull());
    const QImage m = mask.toImage();
    EXPECT_EQ(m.pixelIndex(0, 0), m.pixelIndex(2, 0));
    EXPECT_NE(m.pixelIndex(0, 0), m.pixelIndex(1, 0));
    EXPECT_EQ(m.pixelIndex(1, 0), m.pixelIndex(3, 0));
    EXPECT_EQ(qAlpha(source.pixel(0, 0)), 0);
    EXPECT_EQ(source.pixel(1, 0), qRgb(1, 2, 3));
    EXPECT_EQ(source.pixel(3, 0), qRgb(254, 255, 255));
}

TEST(MaskedBitmap, NullSourceGivesNullMask)
{
    QImage none;
    EXPECT_TRUE(MakeTransparencyMask(none, White).isNull());
    EXPECT_TRUE(PrepareMaskedBitmap(QImage(), White).IsNull());
}

TEST(MaskedBitmap, DrawnBitmapShowsNoTraceOfItsKeyOnAnyBackground)
{
    const MaskedBitmap button = PrepareMaskedBitmap(LoadSkinImage(skin_id::StartButton), White);
    ASSERT_FALSE(button.IsNull());
    for (QRgb background : { qRgb(255, 0, 0), qRgb(0, 0, 0), qRgb(30, 200, 90) }) {
        QImage canvas(button.Size(), QImage::Format_RGB32);
        canvas.fill(background);
        QPainter p(&canvas);
        DrawMaskedBitmap(p, QPoint(0, 0), button);
        p.end();
        EXPECT_EQ(canvas.pixel(0, 0), background); // a corner outside the round button
        int whites = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                whites += canvas.pixel(x, y) == White;
        EXPECT_EQ(whites, 0);
    }
}

TEST(MaskedBitmap, DisabledLookIsGreyAndKeepsTheKeyTransparent)
{
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(White);
    source.setPixel(1, 0, qRgb(0, 0, 200)); // dark: drawn
    source.setPixel(2, 0, qRgb(240, 240, 240)); // light: left out
    const MaskedBitmap bitmap = PrepareMaskedBitmap(source, White);
    const QImage look = DisabledLook(bitmap, QColor(255, 255, 255), QColor(128, 128, 128));
    EXPECT_EQ(qAlpha(look.pixel(0, 0)), 0);
    EXPECT_EQ(look.pixel(1, 0), qRgb(128, 128, 128));
    EXPECT_EQ(qAlpha(look.pixel(2, 0)), 0);
    EXPECT_EQ(look.pixel(2, 1), qRgb(255, 255, 255)); // the highlight, one pixel down and right
}

TEST(LayeredFadeIn, RisesToOpaqueAndStops)
{
    QWidget window;
    LayeredFadeIn fade;
    fade.Start(&window, true, 255);
    EXPECT_EQ(fade.Alpha(), 0);
    EXPECT_TRUE(fade.IsRunning());
    int last = 0;
    bool monotonic = true;
    EXPECT_TRUE(kelvara::testing::WaitFor([&] {
        monotonic = monotonic && fade.Alpha() >= last;
        last = fade.Alpha();
        return !fade.IsRunning();
    }));
    EXPECT_TRUE(monotonic);
    EXPECT_EQ(fade.Alpha(), 255);
}

TEST(LayeredFadeIn, WithoutLayeredWindowsIsOpaqueAtOnce)
{
    QWidget window;
    LayeredFadeIn fade;
    fade.Start(&window, false, 255);
    EXPECT_EQ(fade.Alpha(), 255);
    EXPECT_FALSE(fade.IsRunning());
}

TEST(CFadeInPicture, UnknownBitmapChangesNothing)
{
    CFadeInPicture picture;
    picture.resize(10, 10);
    EXPECT_EQ(picture.SetBitmap(9999, 1), 0);
    EXPECT_EQ(picture.size(), QSize(10, 10));
    EXPECT_FALSE(picture.IsFadedIn());
}

TEST(CFadeInPicture, FadesInFromNothingAndThenShowsTheBitmap)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::red);
    parent.setPalette(palette);
    parent.resize(400, 300);
    CFadeInPicture picture(&parent);
    ASSERT_EQ(picture.SetBitmap(skin_id::PreviewPlaceholder, 1000), 1);
    EXPECT_EQ(picture.size(), QSize(298, 217));
    const QImage first = kelvara::testing::Grab(parent);
    EXPECT_EQ(first.pixel(149, 100), qRgb(255, 0, 0)); // nothing of the picture yet

    CFadeInPicture quick(&parent);
    ASSERT_EQ(quick.SetBitmap(skin_id::PreviewPlaceholder, 1), 1);
    ASSERT_TRUE(kelvara::testing::WaitFor([&] { return quick.IsFadedIn(); }));
    const QImage shown = kelvara::testing::Grab(quick);
    const QImage bitmap = LoadSkinImage(skin_id::PreviewPlaceholder).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(149, 92), bitmap.pixel(149, 92));
    EXPECT_EQ(shown.pixel(10, 200), bitmap.pixel(10, 200));
}

} // namespace
