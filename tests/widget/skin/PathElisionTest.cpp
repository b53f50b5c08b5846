// A path shortened to a cell's width keeps its file name.
#include "skin/PathElision.h"
#include "skin/SkinFont.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

TEST(PathElision, FitsTheWidthAndKeepsTheNameWhileTheNameFits)
{
    const QFontMetrics metrics(SkinFontAtDesignHeight(13, false));
    const QString path = QStringLiteral("/home/ann/Vidéos/été 2023/plage au soir.mp4");
    const QString tail = QStringLiteral("\u2026/plage au soir.mp4");
    const int whole = metrics.horizontalAdvance(path);
    const int tailWidth = metrics.horizontalAdvance(tail);
    EXPECT_EQ(ElidePath(path, metrics, whole), path);
    for (const int width : { whole - 1, (whole + tailWidth) / 2, tailWidth + 1, tailWidth }) {
        const QString shown = ElidePath(path, metrics, width);
        EXPECT_LE(metrics.horizontalAdvance(shown), width) << width;
        EXPECT_TRUE(shown.endsWith(tail)) << qPrintable(shown);
        EXPECT_TRUE(path.startsWith(shown.left(shown.size() - tail.size()))) << qPrintable(shown);
    }
    // Even the name does not fit: it is cut in its middle, keeping its end.
    const QString tight = ElidePath(path, metrics, tailWidth - 10);
    EXPECT_LE(metrics.horizontalAdvance(tight), tailWidth - 10);
    EXPECT_TRUE(tight.endsWith(QStringLiteral(".mp4"))) << qPrintable(tight);
    // A start is never cut between the two halves of a character beyond 16 bits.
    const QString wide = QStringLiteral("/\U0001F3AC\U0001F3AC\U0001F3AC\U0001F3AC/a.mp4");
    for (int width = 20; width < metrics.horizontalAdvance(wide); ++width) {
        const QString shown = ElidePath(wide, metrics, width);
        const qsizetype ellipsis = shown.indexOf(QChar(0x2026));
        if (ellipsis > 0) {
            EXPECT_FALSE(shown[ellipsis - 1].isHighSurrogate()) << width;
        }
    }
}

} // namespace
