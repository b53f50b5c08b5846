// What a screen reader learns of the main window's controls.
#include "AppFakes.h"

#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinTextField.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

QAccessibleInterface* Of(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

class Accessibility : public ::testing::Test {
protected:
    QAccessibleInterface* Control(int id) { return Of(f.dialog->Controls().At(id)); }
    DialogFixture f;
};

TEST_F(Accessibility, PictureButtonsAreButtonsNamedForTheirCommand)
{
    const std::pair<int, const char*> buttons[] = { { control_id::Start, "Start" },
        { control_id::Stop, "Stop" }, { control_id::AddVideo, "Add Video" },
        { control_id::RemoveVideo, "Remove Video" }, { control_id::ClearVideo, "Clear Video" },
        { control_id::FileMenu, "File" }, { control_id::FormatMenu, "Format Setting" },
        { control_id::HelpMenu, "Help" }, { control_id::About, "About" }, { control_id::Browse, "Browse" },
        { control_id::Minimize, "Minimize" }, { control_id::Close, "Close" },
        { control_id::PreviewStop, "Preview stop" }, { control_id::PreviousFile, "Previous file" },
        { control_id::Play, "Play" }, { control_id::Pause, "Pause" }, { control_id::NextFile, "Next file" },
        { control_id::Snapshot, "Snapshot" } };
    for (const auto& [id, name] : buttons) {
        QAccessibleInterface* button = Control(id);
        ASSERT_TRUE(button) << id;
        EXPECT_EQ(button->role(), QAccessible::Button) << id;
        EXPECT_EQ(button->text(QAccessible::Name), name);
    }
    EXPECT_TRUE(Control(control_id::Stop)->state().invisible);
}

TEST_F(Accessibility, CheckBoxesSayTheirCaptionAndState)
{
    QAccessibleInterface* custom = Control(control_id::Custom);
    EXPECT_EQ(custom->role(), QAccessible::CheckBox);
    EXPECT_EQ(custom->text(QAccessible::Name), "Custom");
    EXPECT_TRUE(custom->state().checked);
    EXPECT_FALSE(Control(control_id::Original)->state().checked);
    EXPECT_EQ(Control(control_id::ShutdownWhenFinished)->text(QAccessible::Name),
        "Shutdown computer when finished");
}

TEST_F(Accessibility, TabStripsArePageTabListsWithNamedSelectableTabs)
{
    QAccessibleInterface* strip = Control(control_id::AudioTabs);
    EXPECT_EQ(strip->role(), QAccessible::PageTabList);
    ASSERT_EQ(strip->childCount(), 12) << "ten tabs and the two arrows that scroll them";
    EXPECT_EQ(strip->child(0)->role(), QAccessible::PageTab);
    EXPECT_EQ(strip->child(4)->text(QAccessible::Name), "To AC3");
    EXPECT_EQ(strip->child(9)->text(QAccessible::Name), "To ALAC");
    EXPECT_TRUE(strip->child(9)->state().offscreen);
    EXPECT_EQ(strip->indexOfChild(strip->child(3)), 3);
    QAccessibleInterface* right = strip->child(11);
    EXPECT_EQ(right->role(), QAccessible::Button);
    EXPECT_EQ(right->text(QAccessible::Name), "Scroll tabs right");
    EXPECT_TRUE(strip->child(10)->state().disabled) << "nothing to scroll back to";
    right->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(f.dialog->Controls().Tab(control_id::AudioTabs)->FirstShownTab(), 1);
    EXPECT_FALSE(strip->child(10)->state().disabled);
    QAccessibleInterface* pcStrip = Control(control_id::PcTabs);
    EXPECT_TRUE(pcStrip->child(0)->state().selected);
    EXPECT_FALSE(pcStrip->child(1)->state().selected);
}

TEST_F(Accessibility, PressingATabChoosesItsKind)
{
    QAccessibleInterface* tab = Control(control_id::PcTabs)->child(2);
    tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(f.dialog->Output().Current().Is(PcKind::Image));
    EXPECT_TRUE(tab->state().selected);
}

TEST_F(Accessibility, ListsAreComboBoxesNamedForTheirLabels)
{
    QAccessibleInterface* mpegType = Control(control_id::MpegType);
    EXPECT_EQ(mpegType->role(), QAccessible::ComboBox);
    EXPECT_EQ(mpegType->text(QAccessible::Name), "MpegType");
    EXPECT_EQ(mpegType->text(QAccessible::Value), "MPEG1 Standard");
    EXPECT_EQ(Control(control_id::AudioSample)->text(QAccessible::Name), "Audio Sample");
}

TEST_F(Accessibility, TheOutputFolderIsAnEditableTextWithItsText)
{
    QAccessibleInterface* folder = Control(control_id::OutputFolder);
    EXPECT_EQ(folder->role(), QAccessible::EditableText);
    EXPECT_EQ(folder->text(QAccessible::Name), "Output folder");
    ASSERT_TRUE(folder->textInterface());
    EXPECT_EQ(folder->textInterface()->text(0, folder->textInterface()->characterCount()), "/home/ann/");
    EXPECT_EQ(folder->text(QAccessible::Value), "/home/ann/");
}

TEST_F(Accessibility, LabelsAndGroupsSayTheirCaption)
{
    EXPECT_EQ(Control(control_id::AviCodecLabel)->role(), QAccessible::StaticText);
    EXPECT_EQ(Control(control_id::AviCodecLabel)->text(QAccessible::Name), "AVI Codec:");
    EXPECT_EQ(Control(control_id::FrameSizeGroup)->role(), QAccessible::Grouping);
    EXPECT_EQ(Control(control_id::FrameSizeGroup)->text(QAccessible::Name), "Export Video Width /Height");
}

TEST_F(Accessibility, ADisabledFieldSaysSo)
{
    f.dialog->Controls().Field(control_id::Width)->EnableWindow(false);
    EXPECT_TRUE(Control(control_id::Width)->state().disabled);
}

} // namespace
} // namespace kelvara::testing
