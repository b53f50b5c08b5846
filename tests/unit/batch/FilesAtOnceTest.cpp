#include "batch/FilesAtOnce.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

constexpr OutputKind kMp3 { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
constexpr OutputKind kFlac { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Flac) };
constexpr OutputKind kImage { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Image) };
constexpr OutputKind kAvi { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi) };
constexpr OutputKind kMp4 { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mp4) };
constexpr OutputKind kPsp { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Psp) };

TEST(FilesAtOnce, AutoGivesOneCoreEncodersEveryCoreAndTheRestOneFile)
{
    struct Case {
        OutputKind kind;
        int setting;
        int cores;
        int expected;
    };
    const Case cases[] = {
        { kMp3, kFilesAtOnceAuto, 4, 4 },
        { kFlac, kFilesAtOnceAuto, 2, 2 },
        { kImage, kFilesAtOnceAuto, 8, 8 },
        { kAvi, kFilesAtOnceAuto, 8, 1 },
        { kMp4, kFilesAtOnceAuto, 8, 1 },
        { kPsp, kFilesAtOnceAuto, 8, 1 },
        // A number is taken as it is, up to the cores.
        { kMp3, 1, 8, 1 },
        { kMp3, 3, 8, 3 },
        { kMp3, 16, 4, 4 },
        { kMp3, kFilesAtOnceAuto, 0, 1 },
        // Kinds of several steps, or of the video-editing component, run alone.
        { kAvi, 4, 8, 1 },
        { kPsp, 4, 8, 1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(JobsAtOnce(c.kind, c.setting, c.cores), c.expected)
            << c.kind.kind << " setting " << c.setting << " cores " << c.cores;
    EXPECT_GE(UsableCores(), 1);
}

} // namespace
