// File names are bytes: the text the program keeps for one gives the same
// bytes back, and shows a byte that is not UTF-8 as U+FFFD.
#include "filelist/PathText.h"

#include <gtest/gtest.h>

using namespace kelvara;

TEST(PathText, EveryNameGivesItsBytesBackAndShowsForeignBytesAsReplacement)
{
    struct Case {
        std::string bytes;
        bool utf8;
    };
    const Case cases[] = {
        { "/media/it's a clip.mp4", true },
        { "/media/cl\xc3\xa9p \xf0\x9f\x8e\xac.mp4", true }, // two- and four-byte characters
        { "/media/a\xff"
          "b.mp4",
            false },
        { "/media/\xe9t\xe9.avi", false }, // Latin-1
        { "/media/cut \xe2\x82", false }, // a character cut short
        { "/media/\xc0\xaf.avi", false }, // an overlong "/"
        { "/media/\xed\xb3\xbf.avi", false }, // a surrogate written as UTF-8
        { "/media/\xf4\x90\x80\x80.avi", false }, // past U+10FFFF
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const QString text = PathFromBytes(c.bytes);
        EXPECT_EQ(PathBytes(text), c.bytes);
        EXPECT_EQ(text == QString::fromUtf8(c.bytes), c.utf8);
        const QString shown = PathForDisplay(text);
        EXPECT_EQ(shown, QString::fromUtf8(c.bytes));
        EXPECT_EQ(shown.contains(QChar::ReplacementCharacter), !c.utf8);
    }
    EXPECT_NE(PathFromBytes("a\xfe"), PathFromBytes("a\xff")) << "two names stay two files";
}
