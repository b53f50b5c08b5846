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
#include <utility>

namespace kelvara {
namespace {

using MenuItems = std::initializer_list<std::pair<const char*, int>>;

std::unique_ptr<QMenu> MakeMenu(MenuItems items)
{
    auto menu = std::make_unique<QMenu>();
    for (const auto& [caption, id] : items)
        menu->addAction(QString::fromLatin1(caption))->setData(id);
    return menu;
}

} // namespace

void CConverterDlg::AttachMenus()
{
    // Menus 224, 225 and 266 of the three menu buttons.
    m_controls->Button(ctl::FileMenu)
        ->SetMenu(MakeMenu({ { "Add Video", cmd::AddVideo }, { "Remove Video", cmd::RemoveVideo },
                      { "Clear Video", cmd::ClearVideo } }),
            this);
    m_controls->Button(ctl::FormatMenu)
        ->SetMenu(MakeMenu({ { "To PC Video", cmd::ToPcVideo }, { "To Mobile Video", cmd::ToMobileVideo },
                      { "To Audio", cmd::ToAudio } }),
            this);
    m_controls->Button(ctl::HelpMenu)
        ->SetMenu(MakeMenu({ { "Contents", cmd::Contents }, { "Home Page", cmd::HomePage },
                      { "About...", cmd::AboutBox } }),
            this);
}

// The whole message map: one connection per control; queued where a control
// posts its message rather than sending it.
void CConverterDlg::WireHandlers()
{
    for (const int id : { ctl::FileMenu, ctl::FormatMenu, ctl::HelpMenu })
        connect(m_controls->Button(id), &CSkinButton::MenuCommand, this, &CConverterDlg::OnMenuCommand);
    const auto onClick = [this](int id, void (CConverterDlg::*handler)()) {
        connect(m_controls->Button(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(ctl::About, &CConverterDlg::OnAbout);
    onClick(ctl::Browse, &CConverterDlg::OnBrowse);
    onClick(ctl::Close, &CConverterDlg::OnCloseButton);
    onClick(ctl::Minimize, &CConverterDlg::OnMinimize);
    onClick(ctl::Snapshot, &CConverterDlg::OnSnapshotButton);
    WireOutputKinds();
    WireFileList();
    WirePreviewHandlers();
    WireOptionHandlers();
    WireBatchHandlers();
    WireDesktopHandlers();
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence::HelpContents);
    addAction(help);
    connect(help, &QAction::triggered, this, &CConverterDlg::OnHelp);
}

void CConverterDlg::WireOutputKinds()
{
    for (const int id : { ctl::PcTabs, ctl::MobileTabs, ctl::AudioTabs })
        connect(m_controls->Tab(id), &CImageTab::ImageTabClick, this, &CConverterDlg::OnOutputTabChanged);
    connect(m_controls->Combo(ctl::ImageType), &CSkinComboBox::SelChange, this,
        &CConverterDlg::OnImageTypeChanged, Qt::QueuedConnection);
}

void CConverterDlg::OnMenuCommand(int commandId)
{
    switch (commandId) {
    case cmd::ToPcVideo:
        return SelectOutputCategory(OutputCategory::PcVideo);
    case cmd::ToMobileVideo:
        return SelectOutputCategory(OutputCategory::MobileVideo);
    case cmd::ToAudio:
        return SelectOutputCategory(OutputCategory::Audio);
    case cmd::Contents:
        return OnHelp();
    case cmd::HomePage:
        return OnHomePage();
    case cmd::AboutBox:
    case cmd::AboutFromContextMenu:
        return OnAbout();
    case cmd::AddVideo:
        return m_fileCommands->OnAddVideo();
    case cmd::RemoveVideo:
        return m_fileCommands->OnRemoveVideo();
    case cmd::ClearVideo:
        return m_fileCommands->OnClearVideo();
    default:
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
    m_controls->Field(ctl::OutputFolder)->SetText(*folder);
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
