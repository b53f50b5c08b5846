// The output choices kept for the next session, as the settings hold them.
#include "app/RememberedChoices.h"
#include "FakeSettingsStore.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(RememberedChoices, WhatIsStoredComesBackAndWhatCannotBeAChoiceIsLeftOut)
{
    FakeSettingsStore store;
    RememberedChoices chosen;
    chosen.category = 2;
    chosen.tab = 3;
    chosen.lists = { { control_id::AudioBitrate, "192 kbps" }, { control_id::AviCodec, "MPEG-4 part 2" },
        { control_id::Profile, "PSP 480x272 (Best)" } };
    StoreRememberedChoices(store, chosen);
    const RememberedChoices back = ReadRememberedChoices(store);
    EXPECT_EQ(back.category, 2);
    EXPECT_EQ(back.tab, 3);
    ASSERT_EQ(back.lists.size(), chosen.lists.size());
    // Given back in the order that lets a preset come before what it fills.
    EXPECT_EQ(back.lists[0].controlId, control_id::AudioBitrate);
    EXPECT_EQ(back.lists[1].controlId, control_id::Profile);
    EXPECT_EQ(back.lists[2].item, "MPEG-4 part 2");

    struct Case {
        const char* category;
        const char* tab;
    };
    for (const Case c : { Case { "3", "-1" }, Case { "-1", "x" }, Case { "audio", "" } }) {
        store.values["Choices/Category"] = c.category;
        store.values["Choices/Tab"] = c.tab;
        const RememberedChoices nonsense = ReadRememberedChoices(store);
        EXPECT_FALSE(nonsense.category) << c.category;
        EXPECT_FALSE(nonsense.tab) << c.tab;
    }
    EXPECT_TRUE(IsDeviceList(control_id::DeviceAspect));
    EXPECT_FALSE(IsDeviceList(control_id::DeviceAspectLabel));
}

} // namespace
} // namespace kelvara
