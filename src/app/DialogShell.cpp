// The application shell's handlers of the main dialog: menus, help, About,
// the output folder browser, close and minimize.
#include "app/CConverterDlg.h"

#include "filelist/FileListCommands.h"
#include "platform/DesktopShell.h"
#include "platform/SettingsStore.h"
#include "skin/CAboutBox.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinTextField.h"

#include <QMenu>
#include <QUrl>
#include <initializer_list>
#include <optional>

namespace kelvara {
namespace {

struct MenuItem {
    const char* caption;
    int commandId;
    // The window's key for the same command, shown beside the caption.
    std::optional<WindowCommand> key = std::nullopt;
};

// A menu named for its button, so that a screen reader says which menu opened.
std::unique_ptr<QMenu> MakeMenu(const char* name, std::initializer_list<MenuItem> items)
{
    auto menu = std::make_unique<QMenu>();
    menu->setAccessibleName(QString::fromLatin1(name));
    for (const MenuItem& item : items) {
        QAction* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setData(item.commandId);
        if (item.key)
            ShowKey(*action, *item.key);
    }
    return menu;
}

} // namespace

void CConverterDlg::AttachMenus()
{
    // Menus 224, 225 and 266 of the three menu buttons.
    using C = WindowCommand;
    m_controls->Button(control_id::FileMenu)
        ->SetMenu(MakeMenu("File",
                      { { "Add Video", command_id::AddVideo, C::AddVideo },
                          { "Remove Video", command_id::RemoveVideo, C::RemoveVideo },
                          { "Clear Video", command_id::ClearVideo, C::ClearVideo },
                          { "Import Profile...", command_id::ImportProfile } }),
            this);
    m_controls->Button(control_id::FormatMenu)
        ->SetMenu(
            MakeMenu("Format Setting",
                { { "To PC Video", command_id::ToPcVideo }, { "To Mobile Video", command_id::ToMobileVideo },
                    { "To Audio", command_id::ToAudio } }),
            this);
    m_controls->Button(control_id::HelpMenu)
        ->SetMenu(MakeMenu("Help",
                      { { "Contents", command_id::Contents, C::Help }, { "Home Page", command_id::HomePage },
                          { "About...", command_id::AboutBox } }),
            this);
}

// The whole message map: one connection per control; queued where a control
// posts its message rather than sending it.
void CConverterDlg::WireHandlers()
{
    for (const int id : { control_id::FileMenu, control_id::FormatMenu, control_id::HelpMenu })
        connect(m_controls->Button(id), &CSkinButton::MenuCommand, this, &CConverterDlg::OnMenuCommand);
    const auto onClick = [this](int id, void (CConverterDlg::*handler)()) {
        connect(m_controls->Button(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(control_id::About, &CConverterDlg::OnAbout);
    onClick(control_id::Browse, &CConverterDlg::OnBrowse);
    onClick(control_id::Close, &CConverterDlg::OnCloseButton);
    onClick(control_id::Minimize, &CConverterDlg::OnMinimize);
    onClick(control_id::Snapshot, &CConverterDlg::OnSnapshotButton);
    WireOutputKinds();
    WireFileList();
    WirePreviewHandlers();
    WireOptionHandlers();
    WireBatchHandlers();
    WireDesktopHandlers();
    // Last: the window's keys reach controls the wiring above puts in place.
    WireShortcuts();
}

void CConverterDlg::WireOutputKinds()
{
    for (const int id : { control_id::PcTabs, control_id::MobileTabs, control_id::AudioTabs })
        connect(m_controls->Tab(id), &CImageTab::ImageTabClick, this, &CConverterDlg::OnOutputTabChanged);
    connect(m_controls->Combo(control_id::ImageType), &CSkinComboBox::SelChange, this,
        &CConverterDlg::OnImageTypeChanged, Qt::QueuedConnection);
}

void CConverterDlg::OnMenuCommand(int commandId)
{
    switch (commandId) {
    case command_id::ToPcVideo:
        return SelectOutputCategory(OutputCategory::PcVideo);
    case command_id::ToMobileVideo:
        return SelectOutputCategory(OutputCategory::MobileVideo);
    case command_id::ToAudio:
        return SelectOutputCategory(OutputCategory::Audio);
    case command_id::Contents:
        return OnHelp();
    case command_id::HomePage:
        return OnHomePage();
    case command_id::AboutBox:
    case command_id::AboutFromContextMenu:
        return OnAbout();
    case command_id::AddVideo:
        return m_fileCommands->OnAddVideo();
    case command_id::ImportProfile:
        return OnImportProfile();
    case command_id::RemoveVideo:
        return m_fileCommands->OnRemoveVideo();
    case command_id::ClearVideo:
        return m_fileCommands->OnClearVideo();
    default:
        if (command_id::IsFilesAtOnceCommand(commandId))
            OnFilesAtOnce(commandId);
        return;
    }
}

void CConverterDlg::OnAbout()
{
    CAboutBox box(this, m_folders.version, m_services.shell);
    box.exec();
}

// The help page beside the program, whatever folder is current by then.
void CConverterDlg::OnHelp()
{
    m_services.shell->Open(QUrl::fromLocalFile(m_folders.programDir + QStringLiteral("help.html")));
}

void CConverterDlg::OnHomePage()
{
    m_services.shell->Open(QUrl(QString::fromLatin1(kHomePageUrl)));
}

void CConverterDlg::OnBrowse()
{
    if (IsConverting())
        return;
    const std::optional<QString> folder = m_services.folders->ChooseFolder(this, OutputFolderText());
    if (!folder)
        return;
    m_controls->Field(control_id::OutputFolder)->SetText(*folder);
    StoreOutputFolder(*m_services.settings, *folder);
}

void CConverterDlg::OnCloseButton()
{
    close();
}

void CConverterDlg::OnMinimize()
{
    showMinimized();
}

} // namespace kelvara
