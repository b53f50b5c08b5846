// The preview side of the video-editing component: its window and the
// playback of the clip list's clip through libmpv.
#include "CVideoEdit.h"

#include "videoedit/MpvPlayback.h"

#include <QTimer>

#include <algorithm>

namespace kelvara {

namespace {

// A clip without length (a preview at a file's very end) shows the picture
// just before its end: mpv shows nothing at or past the end.
constexpr double kStillLengthSeconds = 0.05;

} // namespace

QWidget* CVideoEdit::CreatePreviewView(QWidget* parent)
{
    if (m_view)
        return m_view;
    m_view = new PreviewView(parent);
    connect(m_view, &PreviewView::PixelSizeChanged, this, [this](QSize size) {
        if (m_playback)
            m_playback->SetTargetSize(size);
    });
    if (m_playback)
        m_view->SetPicture(m_playback->Picture());
    return m_view;
}

MpvPlayback* CVideoEdit::EnsurePlayback()
{
    if (m_playback || !m_playbackError.empty())
        return m_playback.get();
    MpvPlayback::Creation created = MpvPlayback::Create(m_audioOutputs);
    if (!created.playback) {
        m_playbackError = created.error;
        return nullptr;
    }
    m_playback = std::move(created.playback);
    if (m_view)
        m_playback->SetTargetSize(m_view->PixelSize());
    connect(m_playback.get(), &MpvPlayback::Position, this, &CVideoEdit::PreviewPosition);
    connect(m_playback.get(), &MpvPlayback::PictureChanged, this, [this] {
        if (m_view)
            m_view->SetPicture(m_playback->Picture());
    });
    return m_playback.get();
}

std::optional<Clip> CVideoEdit::ClipToPlay() const
{
    if (!m_clips.IsEmpty())
        return m_clips.Only();
    if (!m_requestedClip || m_requestedClip->path.empty())
        return std::nullopt;
    Clip still = *m_requestedClip;
    if (!(still.endSeconds >= 0.0) || still.endSeconds - still.startSeconds >= kStillLengthSeconds)
        return std::nullopt;
    still.startSeconds = std::max(0.0, still.endSeconds - kStillLengthSeconds);
    return still;
}

bool CVideoEdit::StartPlay()
{
    if (IsConverting())
        return false;
    MpvPlayback* playback = EnsurePlayback();
    const std::optional<Clip> clip = ClipToPlay();
    if (playback) {
        // A clip that cannot be played still ends in a position event, so
        // a caller waiting for one is not left waiting.
        playback->Play(clip.value_or(Clip {}));
        return clip.has_value();
    }
    const double at = clip ? clip->startSeconds : 0.0;
    QTimer::singleShot(0, this, [this, at] { emit PreviewPosition(at); });
    return false;
}

void CVideoEdit::PausePlay()
{
    if (m_playback)
        m_playback->Pause();
}

bool CVideoEdit::IsPlaying() const
{
    return m_playback && m_playback->IsPlaying();
}

QImage CVideoEdit::PreviewPicture() const
{
    return m_playback ? m_playback->Picture() : QImage();
}

} // namespace kelvara
