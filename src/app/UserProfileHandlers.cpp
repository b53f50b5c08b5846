// The user's own profiles in the device panel: "Save as…" stores the profile
// shown under a name of the user's, "Delete" removes one of them, and the
// File menu's "Import Profile..." takes in a file someone sent. The files and
// their checks are the core's (options/UserProfiles); this only asks and
// shows.
#include "app/CConverterDlg.h"
#include "app/DeviceCombos.h"

#include "options/DeviceProfilePanel.h"
#include "options/ProfileIni.h"
#include "options/UserProfiles.h"
#include "platform/DesktopShell.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinNamePrompt.h"

#include <QDir>

#include <array>
#include <utility>

namespace kelvara {
namespace {

// A name in use is replaced only when the user says so.
bool ReplaceAgreed(QWidget* owner, const ProfileStoreOutcome& outcome, const QString& caption)
{
    const QString text = QString::fromStdString(outcome.reason) + QStringLiteral("\nReplace it?");
    return SkinMessageBox(owner, text, caption, box_style::YesNo | box_style::IconQuestion)
        == box_style::IdYes;
}

} // namespace

bool CConverterDlg::RefusedDuringBatch()
{
    if (!IsConverting())
        return false;
    SkinMessageBox(this, QStringLiteral("Please stop converting."), QString(), box_style::Ok);
    return true;
}

std::vector<std::string> CConverterDlg::ShippedProfileTitles(DeviceKind device) const
{
    return ReadDeviceProfileList(OpenDeviceProfiles(device)).titles;
}

// The command lines of the profile chosen (for the customizable profile its
// templates, which the value lists fill in) with the lists as they stand.
ProfileToSave CConverterDlg::ProfileShown(DeviceKind device) const
{
    const int position = m_controls->Combo(control_id::Profile)->currentIndex();
    ProfileToSave profile;
    profile.kind = device;
    if (const std::optional<UserProfile> own = UserProfileAt(position)) {
        ProfileIni ini;
        ini.Open(own->path);
        profile.commands = ProfileCommands(ini, 0);
        profile.basedOn = own->basedOn;
    } else {
        profile.commands = ProfileCommands(OpenDeviceProfiles(device), position);
        profile.basedOn = position;
    }
    for (const DeviceCombo& combo : kDeviceCombos)
        if (DeviceUsesList(device, combo.list))
            profile.selections.push_back({ combo.list, m_controls->Combo(combo.controlId)->currentIndex() });
    return profile;
}

// Lists the device's profiles again and chooses the user's profile in the
// file at `path`.
void CConverterDlg::ShowUserProfile(DeviceKind device, const std::string& path)
{
    const ProfileIni ini = OpenDeviceProfiles(device);
    ListDeviceProfiles(ini, device);
    for (std::size_t own = 0; own < m_userProfiles.size(); ++own)
        if (m_userProfiles[own].path == path)
            LoadDeviceProfile(ini, device, m_shippedProfileCount + static_cast<int>(own));
}

void CConverterDlg::OnSaveProfileAs()
{
    const std::optional<DeviceKind> device = CurrentDevice();
    if (!device || RefusedDuringBatch())
        return;
    ProfileToSave profile = ProfileShown(*device);
    const std::optional<UserProfile> shown
        = UserProfileAt(m_controls->Combo(control_id::Profile)->currentIndex());
    const QString caption = QStringLiteral("Save profile as");
    const std::optional<QString> name = AskSkinName(this, caption, QStringLiteral("Name of your profile:"),
        shown ? QString::fromStdString(shown->title) : QString());
    if (!name)
        return;
    profile.title = name->toStdString();
    const std::vector<std::string> shipped = ShippedProfileTitles(*device);
    const std::string folder = UserProfileFolder();
    ProfileStoreOutcome outcome = SaveUserProfile(profile, shipped, false, folder);
    if (outcome.step == ProfileStoreStep::TakenName) {
        if (!ReplaceAgreed(this, outcome, caption))
            return;
        outcome = SaveUserProfile(profile, shipped, true, folder);
    }
    if (outcome.step != ProfileStoreStep::Stored) {
        ShowMessage(outcome.reason, caption.toStdString(), MessageIcon::Warning);
        return;
    }
    ShowUserProfile(*device, outcome.path);
}

void CConverterDlg::OnDeleteProfile()
{
    const std::optional<DeviceKind> device = CurrentDevice();
    const std::optional<UserProfile> own
        = UserProfileAt(m_controls->Combo(control_id::Profile)->currentIndex());
    if (!device || !own || RefusedDuringBatch())
        return;
    const QString question = QStringLiteral("Delete your profile \"%1\"?\nIts file %2 is removed.")
                                 .arg(QString::fromStdString(own->title), QString::fromStdString(own->path));
    if (SkinMessageBox(
            this, question, QStringLiteral("Delete profile"), box_style::YesNo | box_style::IconQuestion)
        != box_style::IdYes)
        return;
    const std::string failure = DeleteUserProfile(own->path, UserProfileFolder());
    if (!failure.empty())
        ShowMessage(failure, "Delete profile", MessageIcon::Warning);
    ShowDevicePanel();
}

void CConverterDlg::OnImportProfile()
{
    if (RefusedDuringBatch())
        return;
    const QStringList files = m_services.folders->ChooseFiles(
        this, { QStringLiteral("Profiles (*.ini)"), QStringLiteral("All files (*)") }, QDir::homePath());
    if (files.isEmpty())
        return;
    const QString caption = QStringLiteral("Import profile");
    const std::string source = files.front().toStdString();
    const ShippedTitles shipped = [this](DeviceKind kind) { return ShippedProfileTitles(kind); };
    const std::string folder = UserProfileFolder();
    ProfileStoreOutcome outcome = ImportUserProfile(source, shipped, false, folder);
    if (outcome.step == ProfileStoreStep::TakenName) {
        if (!ReplaceAgreed(this, outcome, caption))
            return;
        outcome = ImportUserProfile(source, shipped, true, folder);
    }
    if (outcome.step != ProfileStoreStep::Stored) {
        ShowMessage(outcome.reason, caption.toStdString(), MessageIcon::Warning);
        return;
    }
    if (outcome.kind && CurrentDevice() == outcome.kind) {
        ShowUserProfile(*outcome.kind, outcome.path);
        return;
    }
    const QString kind = outcome.kind ? QString::fromLatin1(DeviceKindName(*outcome.kind)) : QString();
    SkinMessageBox(this,
        QStringLiteral("The profile \"%1\" is now among your %2 profiles.")
            .arg(QString::fromStdString(outcome.title), kind),
        caption, box_style::Ok | box_style::IconAsterisk);
}

} // namespace kelvara
