// The skin on a screen of device pixel ratio 2 (this program runs with
// QT_SCALE_FACTOR=2): the pictures drawn at twice the size are used, every
// control keeps its size and layout in the window's coordinates, and shows
// more detail than the ordinary pictures enlarged.
#include "skin/CBanner.h"
#include "skin/CImageTab.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinTextField.h"
#include "skin/ListCellInfo.h"
#include "skin/MaskedBitmap.h"
#include "skin/RegionFromBitmap.h"
#include "skin/SkinDialogBackground.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include "../SkinTestSupport.h"
#include "ImageMeasures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace kelvara;
using namespace kelvara::testing;

namespace {

constexpr QRgb kWhite = 0xFFFFFF;

// Restores the pictures this program's screen asks for after a test that
// loaded the ordinary ones.
struct PaletteAtScreenRatio : ::testing::Test {
    void TearDown() override { LoadSkinPalette(); }
};

QList<int> IdsIn(const QString& folder)
{
    QList<int> ids;
    for (const QString& name : QDir(folder).entryList({ QStringLiteral("*.png") })) {
        if (!name.contains(QLatin1Char('@')))
            ids << name.section(QLatin1Char('.'), 0, 0).toInt();
    }
    return ids;
}

// The control as the ordinary pictures show it on an ordinary screen, and as
// this screen shows it with the pictures of twice the size.
struct TwoLooks {
    QImage ordinary; // ratio 1
    QImage fine; // ratio 2, twice the pixels
};

TwoLooks LooksOf(const std::function<QWidget*(QWidget*)>& make, QSize size)
{
    TwoLooks looks;
    LoadSkinPalette(1);
    {
        QWidget window;
        QWidget* control = make(&window);
        control->setGeometry(QRect(QPoint(), size));
        looks.ordinary = RenderAtRatioOne(*control);
    }
    LoadSkinPalette(2);
    {
        QWidget window;
        QWidget* control = make(&window);
        control->setGeometry(QRect(QPoint(), size));
        looks.fine = Grab(*control);
    }
    return looks;
}

// The control at twice the size, halved again, is the ordinary one: nothing
// moved or changed size (letters, drawn for each size, differ a little).
void ExpectTheSameLayout(const std::function<QWidget*(QWidget*)>& make, QSize size, double tolerance)
{
    const TwoLooks looks = LooksOf(make, size);
    ASSERT_EQ(looks.fine.size(), size * 2);
    EXPECT_LT(MeanDifference(Halved(looks.fine), looks.ordinary), tolerance);
}

} // namespace

TEST(SkinHighDensity, TheScreenRatioPicksThePictures)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    EXPECT_EQ(Skin().pixelRatio, 2);
    EXPECT_EQ(SkinPixelRatioFor(1.0), 1);
    EXPECT_EQ(SkinPixelRatioFor(1.25), 1);
    EXPECT_EQ(SkinPixelRatioFor(1.5), 2);
    EXPECT_EQ(SkinPixelRatioFor(3.0), 2);
    EXPECT_EQ(SkinMessageBody().devicePixelRatio(), 2.0);
    EXPECT_EQ(SkinMessageBody().size(), QSize(744, 558));
    EXPECT_EQ(LogicalSize(SkinMessageBody()), QSize(372, 279));
}

TEST(SkinHighDensity, EveryPictureComesAtBothRatiosCoveringTheSameSize)
{
    const QList<int> bitmaps = IdsIn(QStringLiteral(":/skin"));
    const QList<int> icons = IdsIn(QStringLiteral(":/icons"));
    ASSERT_GE(bitmaps.size(), 70);
    ASSERT_GE(icons.size(), 10);
    auto check = [](const QImage& ordinary, const QImage& fine, const char* kind, int id) {
        ASSERT_FALSE(ordinary.isNull()) << kind << " " << id;
        ASSERT_FALSE(fine.isNull()) << kind << " " << id;
        EXPECT_EQ(ordinary.devicePixelRatio(), 1.0) << kind << " " << id;
        EXPECT_EQ(fine.devicePixelRatio(), 2.0) << kind << " " << id;
        EXPECT_EQ(fine.size(), ordinary.size() * 2) << kind << " " << id;
        EXPECT_EQ(LogicalSize(fine), LogicalSize(ordinary)) << kind << " " << id;
    };
    for (const int id : bitmaps)
        check(LoadSkinImage(id, 1), LoadSkinImage(id, 2), "bitmap", id);
    for (const int id : icons)
        check(LoadSkinIcon(id, 1).toImage(), LoadSkinIcon(id, 2).toImage(), "icon", id);
}

TEST(SkinHighDensity, FinePicturesAreDrawnAtTheirSizeNotEnlarged)
{
    const int ids[] = { skin_id::MainBackground, skin_id::StartButton, skin_id::PcTabs, skin_id::Splash,
        skin_id::StateIcons, skin_id::DropArrow };
    for (const int id : ids) {
        const QImage ordinary = LoadSkinImage(id, 1).convertToFormat(QImage::Format_RGB32);
        const QImage fine = LoadSkinImage(id, 2).convertToFormat(QImage::Format_RGB32);
        // An enlargement repeats each pixel in a 2 x 2 block or blurs the edges.
        EXPECT_GT(NonUniformBlocks(fine), NonUniformBlocks(Enlarged(ordinary, Qt::FastTransformation)) + 20)
            << "bitmap " << id;
        EXPECT_GT(EdgeEnergy(fine), 1.2 * EdgeEnergy(Enlarged(ordinary, Qt::SmoothTransformation)))
            << "bitmap " << id;
        // ...and yet it is the same picture.
        EXPECT_LT(MeanDifference(Halved(fine), ordinary), 12.0) << "bitmap " << id;
    }
}

TEST(SkinHighDensity, TheWindowOutlineHasTheSameShapeAtBothRatios)
{
    const auto ordinary = RegionFromBitmap(LoadSkinImage(skin_id::MainBackground, 1), kWhite, 0);
    const auto fine = RegionFromBitmap(LoadSkinImage(skin_id::MainBackground, 2), kWhite, 0);
    ASSERT_TRUE(ordinary && fine);
    // The picture's last rows lie below the window's body, outside the outline.
    EXPECT_EQ(fine->boundingRect(), QRect(0, 0, 771, 565));
    EXPECT_EQ(fine->boundingRect(), ordinary->boundingRect());
    // The rounded corners are anti-aliased at each size on its own: at most a
    // few edge points may fall differently.
    const QRegion differing = ordinary->xored(*fine);
    int points = 0;
    for (const QRect& r : differing)
        points += r.width() * r.height();
    EXPECT_LE(points, 24);
    // The corners are cut away at both ratios.
    for (const QPoint corner : { QPoint(0, 0), QPoint(770, 0), QPoint(0, 571), QPoint(770, 571) }) {
        EXPECT_FALSE(ordinary->contains(corner));
        EXPECT_FALSE(fine->contains(corner));
    }
}

TEST(SkinHighDensity, AnOutlinePointOfAFinePictureIsInsideWhenAnyOfItsPixelsIs)
{
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(3, 0, qRgb(10, 10, 10)); // one pixel of the block at (1, 0)
    for (int y = 2; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0)); // the whole blocks at (2, 1) and (3, 1)
    picture.setDevicePixelRatio(2);
    const auto region = RegionFromBitmap(picture, kWhite, 0);
    ASSERT_TRUE(region);
    EXPECT_EQ(*region, QRegion(1, 0, 1, 1) + QRegion(2, 1, 2, 1));
}

TEST(SkinHighDensity, AMaskedBitmapCoversHalfItsPixels)
{
    const MaskedBitmap start = PrepareMaskedBitmap(LoadSkinImage(skin_id::StartButton, 2), kWhite);
    ASSERT_FALSE(start.IsNull());
    EXPECT_EQ(start.Size(), QSize(48, 49));
    EXPECT_EQ(start.mask.size(), QSize(96, 98));
    // The disabled look keeps the ratio, so it draws over the same area.
    const QImage disabled = DisabledLook(start, Qt::white, Qt::darkGray);
    EXPECT_EQ(disabled.size(), QSize(96, 98));
    EXPECT_EQ(disabled.devicePixelRatio(), 2.0);
}

TEST(SkinHighDensity, TheStateIconStripCountsIconsInTheWindowsCoordinates)
{
    const SkinImageList ordinary(QPixmap::fromImage(LoadSkinImage(skin_id::StateIcons, 1)), 16);
    const SkinImageList fine(QPixmap::fromImage(LoadSkinImage(skin_id::StateIcons, 2)), 16);
    EXPECT_EQ(fine.Count(), ordinary.Count());
    EXPECT_EQ(fine.IconHeight(), 16);
    for (int i = 0; i < ordinary.Count(); ++i) {
        const QImage icon = fine.Icon(i).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(icon.size(), QSize(32, 32)) << "icon " << i;
        EXPECT_EQ(LogicalSize(icon), QSize(16, 16)) << "icon " << i;
        // Each icon is the matching part of the strip, not its neighbour.
        const QImage one = ordinary.Icon(i).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_LT(MeanDifference(Halved(Flattened(icon)), Flattened(one)), 16.0) << "icon " << i;
    }
}

using SkinHighDensityControls = PaletteAtScreenRatio;

TEST_F(SkinHighDensityControls, AButtonGrabHasTwiceThePixelsAndMoreDetailThanAnEnlargement)
{
    auto make = [](QWidget* parent) {
        auto* button = new CSkinButton(parent);
        button->SetBitmaps(skin_id::StartButton, kWhite, skin_id::StartButton + 1, kWhite);
        return button;
    };
    const TwoLooks looks = LooksOf(make, QSize(48, 49));
    ASSERT_EQ(looks.fine.size(), QSize(96, 98));
    EXPECT_LT(MeanDifference(Halved(looks.fine), looks.ordinary), 8.0);

    // The same button given the ordinary pictures on this screen: Qt enlarges them.
    QWidget window;
    auto* enlarged = new CSkinButton(&window);
    enlarged->SetBitmaps(
        LoadSkinImage(skin_id::StartButton, 1), kWhite, LoadSkinImage(skin_id::StartButton + 1, 1), kWhite);
    enlarged->setGeometry(0, 0, 48, 49);
    const QImage plain = Grab(*enlarged);
    ASSERT_EQ(plain.size(), QSize(96, 98));
    EXPECT_GT(NonUniformBlocks(looks.fine), 2 * NonUniformBlocks(plain) + 50);
    // Edges and letters stay crisp where a smooth enlargement blurs them.
    const QImage smooth = Enlarged(looks.ordinary, Qt::SmoothTransformation);
    EXPECT_GT(DistinctEdgePixels(looks.fine), 10 * DistinctEdgePixels(smooth) + 50);
    EXPECT_GT(EdgeEnergy(looks.fine), 2.0 * EdgeEnergy(smooth));
}

TEST_F(SkinHighDensityControls, ATabStripKeepsItsLayout)
{
    auto make = [](QWidget* parent) {
        auto* tabs = new CImageTab(parent);
        // Scrolled to the selected tab, so the arrows are drawn too.
        for (int i = 0; i < 7; ++i)
            tabs->AddImage(i, skin_id::MobileTabs + i);
        tabs->Select(5);
        return tabs;
    };
    // Captions cover most of these tabs, and letters are drawn for each size:
    // more room than for shapes, far less than a tab out of place would take.
    ExpectTheSameLayout(make, QSize(432, 28), 12.0);
}

TEST_F(SkinHighDensityControls, TheRangeSliderKeepsItsThumbsOnTheRange)
{
    auto make = [](QWidget* parent) {
        auto* slider = new CRangeSlider(parent);
        slider->SetMinMax(0, 100);
        slider->SetRange(20, 70);
        return slider;
    };
    ExpectTheSameLayout(make, QSize(280, 17), 8.0);
}

TEST_F(SkinHighDensityControls, AComboBoxKeepsItsFaceAndArrowInPlace)
{
    auto make = [](QWidget* parent) {
        auto* combo = new CSkinComboBox(parent);
        combo->addItem(QStringLiteral("MPEG-1 video"));
        combo->SetCurSel(0);
        return combo;
    };
    ExpectTheSameLayout(make, QSize(150, 18), 8.0);
}

TEST_F(SkinHighDensityControls, ATextFieldKeepsItsFaceAndSelection)
{
    auto make = [](QWidget* parent) {
        auto* field = new CSkinTextField(parent);
        field->SetText(QStringLiteral("/home/user/Videos"));
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);
        return field;
    };
    ExpectTheSameLayout(make, QSize(180, 20), 8.0);
}

TEST_F(SkinHighDensityControls, AListBoxKeepsItsRowsAndTiles)
{
    auto make = [](QWidget* parent) {
        auto* list = new CSkinListBox(parent);
        for (int i = 0; i < 8; ++i)
            list->AddString(QStringLiteral("Profile %1").arg(i));
        // Up with nothing selected picks the last row and scrolls to it: the
        // tiles then start part-way down.
        QTest::keyClick(list, Qt::Key_Up);
        return list;
    };
    ExpectTheSameLayout(make, QSize(160, 80), 9.0);
}

TEST_F(SkinHighDensityControls, AListWithHeaderRowsAndIconsKeepsItsLayout)
{
    static SkinImageList ordinaryIcons;
    static SkinImageList fineIcons;
    ordinaryIcons = SkinImageList(QPixmap::fromImage(LoadSkinImage(skin_id::StateIcons, 1)), 16);
    fineIcons = SkinImageList(QPixmap::fromImage(LoadSkinImage(skin_id::StateIcons, 2)), 16);
    auto make = [](QWidget* parent) {
        auto* list = new CSkinListCtrl(parent);
        list->SetColumns({ { QStringLiteral("File"), Qt::AlignLeft, 120 },
            { QStringLiteral("State"), Qt::AlignLeft, 60 } });
        QObject::connect(list, &CSkinListCtrl::ListGetCellInfo, list, [](CSkinListCtrl*, ListCellInfo& info) {
            info.text = QStringLiteral("clip %1.avi").arg(info.row);
            if (info.column == 1) {
                info.imageList = Skin().pixelRatio == 2 ? &fineIcons : &ordinaryIcons;
                info.imageIndex = info.row % 5;
            }
        });
        list->SetItemCount(4);
        list->SelectRow(1);
        list->SetShowSelAlways(true);
        return list;
    };
    ExpectTheSameLayout(make, QSize(200, 100), 10.0);
}

TEST_F(SkinHighDensityControls, TheDialogBackgroundKeepsItsTitleBandAndFrame)
{
    auto paint = [](int ratio) {
        LoadSkinPalette(ratio);
        QImage image(QSize(300, 200) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter p(&image);
        PaintSkinDialogBackground(p, QSize(300, 200));
        p.end();
        return image;
    };
    const QImage ordinary = paint(1);
    const QImage fine = paint(2);
    // The title band and the frame's edges are where a wrong size shows.
    const QRect band(0, 0, 300, 40);
    const QRect fineBand(0, 0, 600, 80);
    EXPECT_LT(MeanDifference(Halved(fine), ordinary), 6.0);
    EXPECT_LT(MeanDifference(Halved(fine.copy(fineBand)), ordinary.copy(band)), 3.0);
}

TEST_F(SkinHighDensityControls, TheBannerPlaysTheMovieOfTwiceTheSizeWhereThereIsOne)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString source = QStringLiteral(KELVARA_TEST_SOURCE_DIR "/../resources/banner/");
    const QString ordinary = folder.filePath(QStringLiteral("Banners.gif"));
    ASSERT_TRUE(QFile::copy(source + QStringLiteral("Banners.gif"), ordinary));

    CBanner banner;
    ASSERT_TRUE(banner.LoadMovie(ordinary));
    EXPECT_EQ(banner.FileName(), ordinary); // none of twice the size yet

    ASSERT_TRUE(QFile::copy(
        source + QStringLiteral("Banners@2x.gif"), folder.filePath(QStringLiteral("Banners@2x.gif"))));
    ASSERT_TRUE(banner.LoadMovie(ordinary));
    EXPECT_EQ(banner.FileName(), folder.filePath(QStringLiteral("Banners@2x.gif")));

    LoadSkinPalette(1);
    ASSERT_TRUE(banner.LoadMovie(ordinary));
    EXPECT_EQ(banner.FileName(), ordinary);
}
