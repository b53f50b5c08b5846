// The main window without a mouse: its shortcuts, given to the same handlers
// as the buttons and menus, and the order in which Tab walks its controls.
#include "app/CConverterDlg.h"

#include "app/WindowShortcuts.h"
#include "filelist/FileListCommands.h"
#include "preview/PreviewPanel.h"
#include "skin/CSkinTextField.h"
#include "skin/DisabledReason.h"

#include <QAction>
#include <QKeyEvent>

namespace kelvara {
namespace {

// The reading order of the window: the menu bar and the list's buttons along
// the top, the list, the preview with its transport bar, the kind strip and
// its options panel, then the folder, and START last, as the step that
// follows all the others. Only the shown and enabled controls take the
// focus, so each options panel is walked as it appears.
constexpr int kTabOrder[] = {
    control_id::FileMenu,
    control_id::FormatMenu,
    control_id::HelpMenu,
    control_id::About,
    control_id::Minimize,
    control_id::Close,
    control_id::AddVideo,
    control_id::RemoveVideo,
    control_id::ClearVideo,
    control_id::FileList,
    control_id::PreviewWindow,
    control_id::TrimRange,
    control_id::PreviewStop,
    control_id::PreviousFile,
    control_id::Play,
    control_id::Pause,
    control_id::NextFile,
    control_id::Snapshot,
    control_id::PcTabs,
    control_id::MobileTabs,
    control_id::AudioTabs,
    control_id::AviFrameRate,
    control_id::AviCodec,
    control_id::AviSoundCodec,
    control_id::MpegType,
    control_id::MpegFrameRate,
    control_id::MpegAudioBitrate,
    control_id::MpegAudioRate,
    control_id::ImageType,
    control_id::Profile,
    control_id::SaveProfileAs,
    control_id::DeleteProfile,
    control_id::DeviceVideoSize,
    control_id::DeviceVideoBitrate,
    control_id::DeviceFrameRate,
    control_id::DeviceAudioBitrate,
    control_id::DeviceChannels,
    control_id::DeviceAudioSample,
    control_id::DeviceAspect,
    control_id::AudioBitrate,
    control_id::AudioSample,
    control_id::Width,
    control_id::WidthUp,
    control_id::WidthDown,
    control_id::Height,
    control_id::HeightUp,
    control_id::HeightDown,
    control_id::Original,
    control_id::Custom,
    control_id::UseGraphicsCard,
    control_id::OutputFolder,
    control_id::Browse,
    control_id::ShutdownWhenFinished,
    control_id::Start,
    control_id::Stop,
};

// A focused text field claims the keys that type or edit text before the
// window's shortcuts see them: the window's Delete, Escape and Space do not
// reach past a field.
class TypingKeysStayInFields : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride
            && IsTypingKey(static_cast<QKeyEvent*>(event)->keyCombination())) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void CConverterDlg::WireShortcuts()
{
    for (const WindowShortcut& shortcut : WindowShortcuts()) {
        auto* action = new QAction(this);
        action->setShortcuts(KeysOf(shortcut.command));
        if (shortcut.scope == ShortcutScope::Window) {
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
        } else {
            action->setShortcutContext(Qt::WidgetShortcut);
            for (const int id : { control_id::PreviewWindow, control_id::TrimRange })
                m_controls->At(id)->addAction(action);
        }
        connect(action, &QAction::triggered, this,
            [this, command = shortcut.command] { OnWindowCommand(command); });
    }
    auto* fieldKeys = new TypingKeysStayInFields(this);
    for (const int id : { control_id::Width, control_id::Height, control_id::OutputFolder })
        m_controls->Field(id)->installEventFilter(fieldKeys);
}

// The same handlers as the buttons and menu items, so that a key is refused
// during a batch exactly where they are.
void CConverterDlg::OnWindowCommand(WindowCommand command)
{
    switch (command) {
    case WindowCommand::AddVideo:
        return RefusedWithItsReason(control_id::AddVideo) ? void() : m_fileCommands->OnAddVideo();
    case WindowCommand::RemoveVideo:
        return RefusedWithItsReason(control_id::RemoveVideo) ? void() : m_fileCommands->OnRemoveVideo();
    case WindowCommand::ClearVideo:
        return RefusedWithItsReason(control_id::ClearVideo) ? void() : m_fileCommands->OnClearVideo();
    case WindowCommand::Start:
        return OnStart();
    case WindowCommand::Stop:
        // Nothing to stop outside a batch; a batch stops without a question,
        // as STOP does.
        return OnStop();
    case WindowCommand::Close:
        return OnCloseButton();
    case WindowCommand::Help:
        return OnHelp();
    case WindowCommand::NextKind:
        return StepKindTab(1);
    case WindowCommand::PreviousKind:
        return StepKindTab(-1);
    case WindowCommand::PlayPause:
        return m_preview->OnPlayPause();
    }
}

// A key whose button a batch has turned off says why, as a click on the
// button does, instead of doing nothing without a word.
bool CConverterDlg::RefusedWithItsReason(int buttonId)
{
    QWidget* button = m_controls->At(buttonId);
    if (button->isEnabled())
        return false;
    ShowDisabledReason(button);
    return true;
}

// After every control is in its place: the list, the trim range and the
// preview window replace the template's reserved controls.
void CConverterDlg::SetTabOrder()
{
    m_controls->SetTabOrder(kTabOrder);
}

} // namespace kelvara
