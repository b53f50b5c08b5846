#include "videoedit/ClipList.h"

#include <gtest/gtest.h>

#include <cmath>

using kelvara::ClipList;

TEST(ClipList, TheSameClipGivenTwiceIsOneClip)
{
    ClipList clips;
    // The program's two calls for one clip, times from milliseconds.
    EXPECT_TRUE(clips.Add("/media/a.vob", 1500 * 0.001, 4200 * 0.001));
    EXPECT_TRUE(clips.Add("/media/a.vob", 1.5, 4.2));
    ASSERT_FALSE(clips.IsEmpty());
    EXPECT_EQ(clips.Only().path, "/media/a.vob");
    EXPECT_DOUBLE_EQ(clips.Only().LengthSeconds(), 4.2 - 1.5);
}

TEST(ClipList, ADifferentSecondClipIsRefusedAndTheFirstKept)
{
    ClipList clips;
    ASSERT_TRUE(clips.Add("/media/a.vob", 0.0, 2.0));
    EXPECT_FALSE(clips.Add("/media/b.vob", 0.0, 2.0));
    EXPECT_FALSE(clips.Add("/media/a.vob", 0.0, 2.5));
    EXPECT_FALSE(clips.Add("/media/a.vob", 0.1, 2.0));
    EXPECT_EQ(clips.Only().path, "/media/a.vob");
    EXPECT_DOUBLE_EQ(clips.Only().endSeconds, 2.0);

    clips.Clear();
    EXPECT_TRUE(clips.IsEmpty());
    EXPECT_TRUE(clips.Add("/media/b.vob", 3.0, 4.0));
    EXPECT_EQ(clips.Only().path, "/media/b.vob");
}

TEST(ClipList, RangesThatAreNoClipAreRefused)
{
    ClipList clips;
    EXPECT_FALSE(clips.Add("", 0.0, 1.0));
    EXPECT_FALSE(clips.Add("/a.avi", -0.5, 1.0));
    EXPECT_FALSE(clips.Add("/a.avi", 2.0, 2.0));
    EXPECT_FALSE(clips.Add("/a.avi", 3.0, 1.0));
    EXPECT_FALSE(clips.Add("/a.avi", 0.0, NAN));
    EXPECT_FALSE(clips.Add("/a.avi", 0.0, INFINITY));
    EXPECT_TRUE(clips.IsEmpty());
}
