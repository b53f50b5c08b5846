// The shipped profile files as the device panel and the converters read them.
#include "ProfileRun.h"
#include "options/ProfileIni.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace kelvara;
using namespace kelvara::testing;

namespace {

struct DeviceFile {
    DeviceKind device;
    int startProfile;
    int leastProfiles;
    std::size_t templateLines;
    std::vector<std::string> panelKeys;
};

// The video kinds of today: a quality instead of a bitrate, and a sample
// rate where the sound is AAC (Opus always runs at 48 kHz).
const std::vector<std::string> kOpusKeys = { "VideoSize", "Quality", "FrameRate", "AudioBitrate", "Channel" };
const std::vector<std::string> kAacKeys
    = { "VideoSize", "Quality", "FrameRate", "AudioBitrate", "Channel", "AudioSample" };

const std::vector<DeviceFile>& DeviceFiles()
{
    static const std::vector<DeviceFile> files = {
        { DeviceKind::Psp, 7, 21, 2,
            { "VideoSize", "VideoBitrate", "FrameRate", "AudioBitrate", "Channel" } },
        { DeviceKind::Xbox360, 2, 3, 1,
            { "VideoSize", "VideoBitrate", "FrameRate", "Aspect", "AudioBitrate", "Channel" } },
        { DeviceKind::PocketPc, 2, 3, 1,
            { "VideoSize", "VideoBitrate", "FrameRate", "AudioBitrate", "Channel" } },
        { DeviceKind::Pmp, 1, 2, 4,
            { "VideoSize", "VideoBitrate", "FrameRate", "AudioBitrate", "AudioSample" } },
        { DeviceKind::Mp4, 1, 4, 1, kAacKeys },
        { DeviceKind::Mkv, 1, 4, 1, kOpusKeys },
        { DeviceKind::WebM, 1, 4, 1, kOpusKeys },
        { DeviceKind::Av1, 1, 4, 1, kOpusKeys },
        { DeviceKind::PhoneTablet, 2, 5, 1, kAacKeys },
        { DeviceKind::TvStick, 1, 4, 1, kAacKeys },
        { DeviceKind::Web, 1, 4, 1, kOpusKeys },
    };
    return files;
}

DeviceList ListOfKey(const std::string& key)
{
    if (key == "VideoSize")
        return DeviceList::VideoSize;
    if (key == "VideoBitrate" || key == "Quality")
        return DeviceList::VideoBitrate;
    if (key == "FrameRate")
        return DeviceList::FrameRate;
    if (key == "AudioBitrate")
        return DeviceList::AudioBitrate;
    if (key == "Channel")
        return DeviceList::Channel;
    if (key == "Aspect")
        return DeviceList::Aspect;
    return DeviceList::AudioSample;
}

std::size_t ListLength(DeviceKind device, DeviceList list)
{
    for (const DeviceValueList& values : DeviceValueLists(device)) {
        if (values.list == list)
            return values.values.size();
    }
    return list == DeviceList::Aspect ? 2 : 0; // the panel's fixed aspect items
}

TEST(ShippedProfileFiles, InfoComesFirstAndProfilesFollowInIndexOrder)
{
    for (const DeviceFile& file : DeviceFiles()) {
        ProfileIni ini;
        ASSERT_TRUE(ini.Open(ProfileFilePath(file.device).string()));
        std::vector<std::string> names;
        const int count = ini.GetSectionNames(names);
        ASSERT_GE(count - 1, file.leastProfiles) << ProfileFilePath(file.device);
        EXPECT_EQ(names[0], "Info");
        EXPECT_FALSE(ini.GetString("Info", "Description").empty());
        EXPECT_EQ(std::atoi(ini.GetString("Info", "DefaultProfile").c_str()), file.startProfile);
        for (int k = 0; k + 1 < count; ++k)
            EXPECT_EQ(names[static_cast<std::size_t>(k) + 1], "profile" + std::to_string(k));
    }
}

TEST(ShippedProfileFiles, EveryProfileHasATitleItsTemplatesAndPanelKeysInRange)
{
    for (const DeviceFile& file : DeviceFiles()) {
        ProfileIni ini;
        ini.Open(ProfileFilePath(file.device).string());
        std::vector<std::string> names;
        const int count = ini.GetSectionNames(names);
        for (int k = 0; k + 1 < count; ++k) {
            const std::string section = "profile" + std::to_string(k);
            std::vector<std::string> keys;
            std::vector<std::string> values;
            ini.GetSection(section, keys, values);
            ASSERT_GT(values.size(), file.templateLines) << section;
            EXPECT_EQ(keys[0], "Title");
            EXPECT_FALSE(values[0].empty());
            for (std::size_t line = 1; line <= file.templateLines; ++line)
                EXPECT_TRUE(values[line].starts_with(line == 1 ? "tarvoconverter " : "")) << section;
            // The panel's keys follow the templates.
            for (const std::string& key : file.panelKeys) {
                const std::string text = ini.GetString(section, key);
                ASSERT_FALSE(text.empty()) << section << " " << key;
                const int position = std::atoi(text.c_str());
                EXPECT_GE(position, 0);
                EXPECT_LT(static_cast<std::size_t>(position), ListLength(file.device, ListOfKey(key)))
                    << section << " " << key;
            }
        }
    }
}

TEST(ShippedProfileFiles, OnlyTheCustomizedProfileTakesThePanelValues)
{
    for (const DeviceFile& file : DeviceFiles()) {
        ProfileIni ini;
        ini.Open(ProfileFilePath(file.device).string());
        std::vector<std::string> names;
        const int count = ini.GetSectionNames(names);
        for (int k = 0; k + 1 < count; ++k) {
            const ProfileLines lines = ReadProfileAt(ini, k);
            std::string command;
            for (std::size_t line = 1; line <= file.templateLines; ++line)
                command += lines.Line(line) + "\n";
            for (const DeviceValueList& values : DeviceValueLists(file.device)) {
                const bool used = command.find(values.placeholder) != std::string::npos;
                EXPECT_EQ(used, k == 0) << "profile" << k << " " << values.placeholder;
            }
        }
    }
}

// A "$" word the program does not replace would reach the encoder as it is.
TEST(ShippedProfileFiles, EveryPlaceholderIsOneTheKindReplaces)
{
    const std::vector<std::string> common
        = { "$INPUT_FILE", "$START", "$LENGTH", "$TITLE", "$TIMESTAMP", "$OUTPUT_DIR", "$OUTPUT_FILE" };
    for (const DeviceFile& file : DeviceFiles()) {
        std::vector<std::string> known = common;
        for (const DeviceValueList& values : DeviceValueLists(file.device))
            known.emplace_back(values.placeholder);
        ProfileIni ini;
        ini.Open(ProfileFilePath(file.device).string());
        std::vector<std::string> names;
        const int count = ini.GetSectionNames(names);
        for (int k = 0; k + 1 < count; ++k) {
            const ProfileLines lines = ReadProfileAt(ini, k);
            for (std::size_t line = 1; line <= file.templateLines; ++line) {
                const std::string command = lines.Line(line);
                // Replacement is plain text: "$OUTPUT_FILE0001" is "$OUTPUT_FILE" and a suffix.
                for (std::size_t at = command.find('$'); at != std::string::npos;
                     at = command.find('$', at + 1)) {
                    EXPECT_TRUE(std::any_of(known.begin(), known.end(),
                        [&](const std::string& word) { return command.compare(at, word.size(), word) == 0; }))
                        << ProfileFilePath(file.device) << " profile" << k << " " << command.substr(at, 16);
                }
            }
        }
    }
}

TEST(ShippedProfileFiles, PmpStepsUseTheFileNamesTheConverterDeletes)
{
    ProfileIni ini;
    ini.Open(ProfileFilePath(DeviceKind::Pmp).string());
    std::vector<std::string> names;
    const int count = ini.GetSectionNames(names);
    for (int k = 0; k + 1 < count; ++k) {
        const ProfileLines lines = ReadProfileAt(ini, k);
        EXPECT_NE(lines.Line(1).find("'$OUTPUT_DIR$OUTPUT_FILE0001.avi'"), std::string::npos);
        EXPECT_NE(lines.Line(1).find("'$OUTPUT_DIR$OUTPUT_FILE0001.mp3'"), std::string::npos);
        EXPECT_TRUE(lines.Line(2).starts_with("pmpmux "));
        EXPECT_NE(lines.Line(2).find("'$OUTPUT_DIR$OUTPUT_FILE.pmp'"), std::string::npos);
        EXPECT_TRUE(lines.Line(3).starts_with("pmpmux --check "));
        EXPECT_TRUE(lines.Line(4).starts_with("pmpmux --check "));
    }
}

} // namespace
