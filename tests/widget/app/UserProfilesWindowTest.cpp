// The user's own profiles in the device panel: saved under a name, listed
// after the shipped ones of their device only, given to the converters, and
// deleted after a question.
#include "AppFakes.h"

#include "options/ProfileIni.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinNamePrompt.h"
#include "skin/CSkinTextField.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace kelvara::testing {
namespace {

const QString kShippedProfiles = QStringLiteral(KELVARA_SOURCE_DIR "/data/");

// Runs `answer` on the next modal window once it is shown.
void AnswerModal(QObject* context, std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(20, context, [context, answer] {
        QWidget* shown = QApplication::activeModalWidget();
        if (shown && shown->isVisible())
            answer(shown);
        else
            AnswerModal(context, answer);
    });
}

class UserProfilesWindow : public ::testing::Test {
protected:
    UserProfilesWindow()
        : config()
        , xdg("XDG_CONFIG_HOME", config.Path().string())
        , f(kShippedProfiles)
    {
    }
    const ControlTable& C() { return f.dialog->Controls(); }
    void ChooseDevice(MobileKind device)
    {
        f.dialog->OnMenuCommand(command_id::ToMobileVideo);
        C().Tab(control_id::MobileTabs)->Select(static_cast<int>(device));
        f.dialog->OnOutputTabChanged(C().Tab(control_id::MobileTabs));
    }
    void Pick(int comboId, int item)
    {
        C().Combo(comboId)->SelectByUser(item);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    // Saves the profile shown under `name` through the name box.
    void SaveAs(const QString& name)
    {
        AnswerModal(f.dialog.get(), [name](QWidget* shown) {
            auto* prompt = qobject_cast<CSkinNamePrompt*>(shown);
            ASSERT_NE(prompt, nullptr);
            prompt->Field()->SetText(name);
            prompt->OkButton()->click();
        });
        C().Button(control_id::SaveProfileAs)->click();
    }

    TempFolder config;
    ScopedVariable xdg;
    DialogFixture f;
};

TEST_F(UserProfilesWindow, SaveAsListsItAfterTheShippedOnesAndDeleteRemovesIt)
{
    ChooseDevice(MobileKind::Psp);
    CSkinComboBox* profile = C().Combo(control_id::Profile);
    CSkinButton* deleteButton = C().Button(control_id::DeleteProfile);
    const int shipped = profile->count();
    EXPECT_FALSE(deleteButton->isEnabled());
    Pick(control_id::Profile, 0);
    Pick(control_id::DeviceVideoSize, 2);

    SaveAs(QStringLiteral("My PSP"));
    ASSERT_EQ(profile->count(), shipped + 1);
    EXPECT_EQ(profile->currentIndex(), shipped);
    EXPECT_EQ(profile->itemText(shipped), "My PSP");
    EXPECT_TRUE(deleteButton->isEnabled());
    EXPECT_TRUE(C().Combo(control_id::DeviceVideoSize)->isEnabled());

    // The converters take the saved lines, which are the customizable
    // profile's templates.
    ProfileIni shippedIni;
    shippedIni.Open((kShippedProfiles + "TARVO_Pro_PSP.ini").toStdString());
    const DeviceChoice choice = f.dialog->CurrentDeviceChoice();
    ASSERT_TRUE(choice.userLines.has_value());
    EXPECT_EQ(choice.userLines->Line(0), "My PSP");
    EXPECT_EQ(choice.userLines->Line(2), ReadProfileAt(shippedIni, 0).Line(2));
    EXPECT_EQ(choice.profilePosition, 0);
    EXPECT_EQ(choice.selections.videoSize, 2);

    // Another device does not list it; back on the PSP it loads its lists.
    ChooseDevice(MobileKind::Xbox360);
    EXPECT_EQ(profile->findText(QStringLiteral("My PSP")), -1);
    ChooseDevice(MobileKind::Psp);
    Pick(control_id::Profile, shipped);
    EXPECT_EQ(C().Combo(control_id::DeviceVideoSize)->currentIndex(), 2);

    AnswerModal(f.dialog.get(), [](QWidget* shown) {
        auto* box = qobject_cast<CSkinMessageBox*>(shown);
        ASSERT_NE(box, nullptr);
        box->FirstButton()->click();
    });
    deleteButton->click();
    EXPECT_EQ(profile->count(), shipped);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.Path() / "kelvara/profiles"), {}), 0);
}

} // namespace
} // namespace kelvara::testing
