// Pictures decoded at their first drawing measure and look as those decoded
// at once, at either pixel ratio.
#include "skin/CImageTab.h"
#include "skin/LazyMaskedBitmap.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// Sets the palette's pixel ratio for one test and puts the default back.
class AtPixelRatio {
public:
    explicit AtPixelRatio(int ratio) { LoadSkinPalette(ratio); }
    ~AtPixelRatio() { LoadSkinPalette(); }
    AtPixelRatio(const AtPixelRatio&) = delete;
    AtPixelRatio& operator=(const AtPixelRatio&) = delete;
};

TEST(LazySkinPicture, MeasuresAndLooksAsTheOneDecodedAtOnce)
{
    const int ids[] = { skin_id::PcTabs, skin_id::PcTabs + skin_id::kTabNormalOffset, skin_id::StartButton,
        skin_id::SpinDownButton, skin_id::Splash, skin_id::MessageBody };
    for (const int ratio : { 1, 2 }) {
        const AtPixelRatio scale(ratio);
        for (const int id : ids) {
            SCOPED_TRACE(testing::Message() << "picture " << id << " at ratio " << ratio);
            const LazyMaskedBitmap lazy(id, CImageTab::kTransparent);
            const MaskedBitmap atOnce = PrepareMaskedBitmap(LoadSkinImage(id), CImageTab::kTransparent);
            ASSERT_FALSE(atOnce.IsNull());
            // Measured from the header before anything is decoded.
            EXPECT_EQ(lazy.Size(), atOnce.Size());
            EXPECT_EQ(SkinImageLogicalSize(id), atOnce.Size());
            EXPECT_EQ(lazy.Get().image, atOnce.image);
            EXPECT_EQ(lazy.Get().image.devicePixelRatio(), atOnce.image.devicePixelRatio());
            EXPECT_EQ(lazy.Get().mask.toImage(), atOnce.mask.toImage());
        }
    }
}

TEST(LazySkinPicture, AMissingPictureIsNullBeforeAndAfterDecoding)
{
    const LazyMaskedBitmap missing(99999, CImageTab::kTransparent);
    EXPECT_TRUE(missing.IsNull());
    EXPECT_TRUE(missing.Get().IsNull());
    EXPECT_TRUE(missing.IsNull());
}

} // namespace
