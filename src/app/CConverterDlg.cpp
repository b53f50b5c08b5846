#include "app/CConverterDlg.h"
#include "app/DialogOptionSelections.h"
#include "app/MenuAccessibility.h"

#include "app/BatchParts.h"
#include "filelist/FileListCommands.h"
#include "filelist/FileListView.h"
#include "preview/PreviewPanel.h"
#include "skin/CBanner.h"
#include "skin/CFadeInPicture.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinTextField.h"
#include "skin/CSplashDlg.h"
#include "skin/RegionFromBitmap.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"
#include "videoedit/CVideoEdit.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTimer>

namespace kelvara {
namespace {

constexpr QRgb kOutsideOutline = qRgb(255, 255, 255);
constexpr int kPlaceholderStepMs = 100;
constexpr int kDescriptionFontHeight = 10;
constexpr int kButtonsWithSound[] = { control_id::Stop, control_id::Start, control_id::About };

} // namespace

CConverterDlg::CConverterDlg(const ProgramFolders& folders, const DialogServices& services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_folders(folders)
    , m_services(services)
{
    setWindowTitle(QStringLiteral("Kelvara"));
    setAccessibleName(QStringLiteral("Kelvara"));
    InstallMenuAccessibility();
}

CConverterDlg::~CConverterDlg() = default;

void CConverterDlg::OnInitDialog(CSplashThread* splash)
{
    setWindowIcon(LoadSkinIcon(skin_id::AppIcon));
    m_controls = std::make_unique<ControlTable>(this);
    BuildFileList();
    BuildPreview();
    FillOptionLists();
    m_controls->Field(control_id::Width)->SetText(QString());
    m_controls->Field(control_id::Height)->SetText(QString());
    m_controls->Field(control_id::OutputFolder)->SetText(m_folders.outputFolder);

    m_background = LoadSkinBitmap(skin_id::MainBackground);
    setFixedSize(kMainDialogWidth, kMainDialogHeight);
    move(0, 0);
    m_outline = RegionFromBitmap(m_background.toImage(), kOutsideOutline, 0).value_or(QRegion(rect()));
    setMask(m_outline);

    SkinControls();
    WireHandlers();
    SetTabOrder();
    BuildBatch();
    AttachFilesAtOnceMenu();
    ResetOutputSettings();
    RestoreChoices();
    SetCurrentJob(-1);
    if (splash)
        splash->HideSplash();
}

void CConverterDlg::SkinControls()
{
    AttachMenus();
    const QString hoverSound = m_folders.programDir + QStringLiteral("menu.wav");
    for (const int id : kButtonsWithSound) {
        CSkinButton* button = m_controls->Button(id);
        button->SetSound(hoverSound, true);
        if (m_services.sound)
            button->SetSoundPlayer(m_services.sound);
    }
    // The descriptions are long lines that must fit the panel's width.
    for (const int id : { control_id::AudioDescription, control_id::ImageDescription })
        m_controls->Label(id)->SetFontHeight(kDescriptionFontHeight);
    m_controls->Picture(control_id::PreviewPlaceholder)
        ->SetBitmap(skin_id::PreviewPlaceholder, kPlaceholderStepMs);
}

QString CConverterDlg::OutputFolderText() const
{
    return m_controls->Field(control_id::OutputFolder)->GetText();
}

// What the first picture does not need waits until it is on the screen: the
// banner's animation and the codec lists, which ask the FFmpeg libraries.
void CConverterDlg::LoadAfterFirstPicture()
{
    emit FirstPainted();
    m_controls->Banner(control_id::Banner)->LoadMovie(m_folders.programDir + QStringLiteral("Banners.gif"));
    FillCodecLists();
}

void CConverterDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &CConverterDlg::LoadAfterFirstPicture);
    }
}

void CConverterDlg::closeEvent(QCloseEvent* event)
{
    if (IsConverting()) {
        event->ignore();
        SkinMessageBox(this, QStringLiteral("Please stop converting."), QString(), box_style::Ok);
        return;
    }
    event->accept();
}

void CConverterDlg::mousePressEvent(QMouseEvent* event)
{
    m_drag.Press(this, event);
}

void CConverterDlg::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.Move(this, event);
}

void CConverterDlg::mouseReleaseEvent(QMouseEvent*)
{
    m_drag.Release();
}

// The window has no system menu of its own; its About item lives here.
void CConverterDlg::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Kelvara"));
    menu.addAction(QStringLiteral("&About Kelvara ..."))->setData(command_id::AboutFromContextMenu);
    if (menu.exec(event->globalPos()))
        OnAbout();
}

} // namespace kelvara
