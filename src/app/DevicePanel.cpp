// The device panel of the main dialog: the profile list of the device's
// profile file, the value lists, and what the converters read of them.
#include "app/CConverterDlg.h"
#include "app/DeviceCombos.h"

#include "options/DeviceProfilePanel.h"
#include "options/ProfileIni.h"
#include "options/ProfileKind.h"
#include "options/UserProfiles.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinLabel.h"

#include <QDir>
#include <QMetaObject>
#include <QStringList>

namespace kelvara {

std::optional<DeviceKind> CConverterDlg::CurrentDevice() const
{
    return ProfileKindOf(m_output.Current());
}

// The file is looked for in the tool directory, which the program made its
// current directory at start; naming the folder keeps that true whatever
// changed the current directory since. The file is read here, once per use.
ProfileIni CConverterDlg::OpenDeviceProfiles(DeviceKind device) const
{
    const std::string_view name = kDeviceProfileFiles[static_cast<std::size_t>(device)];
    ProfileIni ini;
    ini.Open(QDir(m_folders.toolDir).filePath(QString::fromLatin1(name)).toStdString());
    return ini;
}

// Posted, so the box opens once the panel is whole and the handler that
// chose the device has returned.
void CConverterDlg::ReportRefusedProfiles(const ProfileIni& ini)
{
    if (ini.Refusal().empty())
        return;
    QMetaObject::invokeMethod(
        this, [this, text = ini.Refusal()] { ShowMessage(text, "", MessageIcon::Warning); },
        Qt::QueuedConnection);
}

void CConverterDlg::ListDeviceProfiles()
{
    if (const std::optional<DeviceKind> device = CurrentDevice()) {
        const ProfileIni ini = OpenDeviceProfiles(*device);
        ListDeviceProfiles(ini, *device);
        ReportRefusedProfiles(ini);
    }
}

void CConverterDlg::ListDeviceProfiles(const ProfileIni& ini, DeviceKind device)
{
    const DeviceProfileList profiles = ReadDeviceProfileList(ini);
    // A missing file leaves the previous device's profiles in the list.
    if (profiles.listed) {
        CSkinComboBox* profile = m_controls->Combo(control_id::Profile);
        profile->clear();
        QStringList titles;
        titles.reserve(static_cast<qsizetype>(profiles.titles.size()));
        for (const std::string& title : profiles.titles)
            titles << QString::fromStdString(title);
        m_shippedProfileCount = static_cast<int>(titles.size());
        // The user's own follow the shipped ones, so positions in the
        // shipped file keep their meaning.
        m_userProfiles = ListUserProfiles(device, UserProfileFolder());
        for (const UserProfile& own : m_userProfiles)
            titles << QString::fromStdString(own.title);
        profile->addItems(titles);
        profile->SetCurSel(profiles.defaultProfile);
    }
    for (const DeviceList list : { DeviceList::VideoSize, DeviceList::VideoBitrate, DeviceList::FrameRate,
             DeviceList::AudioBitrate, DeviceList::AudioSample }) {
        if (list == DeviceList::AudioSample && !DeviceUsesList(device, list))
            continue;
        CSkinComboBox* combo = m_controls->Combo(ComboOf(list));
        combo->clear();
        for (const std::string& item : DeviceComboItems(device, list))
            combo->addItem(QString::fromStdString(item));
    }
}

void CConverterDlg::LoadDeviceProfile(int index)
{
    if (const std::optional<DeviceKind> device = CurrentDevice()) {
        const ProfileIni ini = OpenDeviceProfiles(*device);
        LoadDeviceProfile(ini, *device, index);
        ReportRefusedProfiles(ini);
    }
}

void CConverterDlg::LoadDeviceProfile(const ProfileIni& ini, DeviceKind device, int index)
{
    m_controls->Combo(control_id::Profile)->SetCurSel(index);
    const std::optional<UserProfile> own = UserProfileAt(index);
    ProfileIni ownIni;
    if (own)
        ownIni.Open(own->path);
    for (const DeviceListSelection& selection :
        own ? ReadDeviceProfile(ownIni, device, 0) : ReadDeviceProfile(ini, device, index)) {
        CSkinComboBox* combo = m_controls->Combo(ComboOf(selection.list));
        // An item beyond the list leaves it without a selection.
        combo->SetCurSel(selection.item < combo->count() ? selection.item : -1);
    }
    // A user's profile stays editable, as the customizable one does.
    SetDeviceCombosEnabled(index == 0 || own);
    m_controls->Button(control_id::DeleteProfile)->setEnabled(own.has_value());
}

std::optional<UserProfile> CConverterDlg::UserProfileAt(int index) const
{
    const int own = index - m_shippedProfileCount;
    if (own < 0 || own >= static_cast<int>(m_userProfiles.size()))
        return std::nullopt;
    return m_userProfiles[static_cast<std::size_t>(own)];
}

void CConverterDlg::SetDeviceCombosEnabled(bool enabled)
{
    // A disabled combo draws its text grey, an enabled one black.
    for (const DeviceCombo& combo : kDeviceCombos)
        m_controls->Combo(combo.controlId)->EnableWindow(enabled);
}

// Choosing a profile loads it; the jobs keep their progress.
void CConverterDlg::OnProfileChanged()
{
    LoadDeviceProfile(m_controls->Combo(control_id::Profile)->currentIndex());
}

// Lists the device's profiles and loads its start profile, whatever the
// file names as its default, from one reading of the file.
void CConverterDlg::ShowDevicePanel()
{
    const std::optional<DeviceKind> device = CurrentDevice();
    if (!device)
        return;
    // The kinds of today choose a constant quality where the devices chose a
    // bitrate, and show the sample rate beside the channels, in the aspect's
    // row, which they do not use; the PMP shows it in the channels' row.
    const bool todays = IsTodaysVideoKind(*device);
    m_controls->Label(control_id::DeviceVideoBitrateLabel)
        ->SetWindowText(todays ? QStringLiteral("Quality:") : QStringLiteral("Video Bitrate:"));
    const int sampleRow = todays ? control_id::DeviceAspect : control_id::DeviceChannels;
    const int sampleLabelRow = todays ? control_id::DeviceAspectLabel : control_id::DeviceChannelsLabel;
    m_controls->At(control_id::DeviceAudioSample)->setGeometry(m_controls->At(sampleRow)->geometry());
    m_controls->At(control_id::DeviceAudioSampleLabel)
        ->setGeometry(m_controls->At(sampleLabelRow)->geometry());
    const ProfileIni ini = OpenDeviceProfiles(*device);
    ListDeviceProfiles(ini, *device);
    LoadDeviceProfile(ini, *device, kDeviceStartProfiles[static_cast<std::size_t>(*device)]);
    ReportRefusedProfiles(ini);
}

DeviceChoice CConverterDlg::CurrentDeviceChoice() const
{
    const auto position
        = [this](DeviceList list) { return m_controls->Combo(ComboOf(list))->currentIndex(); };
    DeviceChoice choice;
    choice.profilePosition = m_controls->Combo(control_id::Profile)->currentIndex();
    choice.selections.videoSize = position(DeviceList::VideoSize);
    choice.selections.videoBitrate = position(DeviceList::VideoBitrate);
    choice.selections.frameRate = position(DeviceList::FrameRate);
    choice.selections.audioBitrate = position(DeviceList::AudioBitrate);
    choice.selections.channel = position(DeviceList::Channel);
    choice.selections.aspect = position(DeviceList::Aspect);
    choice.selections.audioSample = position(DeviceList::AudioSample);
    if (const std::optional<UserProfile> own = UserProfileAt(choice.profilePosition)) {
        ProfileIni ini;
        ini.Open(own->path);
        choice.userLines = ReadProfileAt(ini, 0);
        choice.profilePosition = own->basedOn;
    }
    choice.graphicsCard = ChosenGraphicsCard();
    return choice;
}

} // namespace kelvara
