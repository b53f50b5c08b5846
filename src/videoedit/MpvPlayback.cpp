#include "MpvPlayback.h"

#include "platform/MpvLibrary.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstring>

namespace kelvara {

namespace {

// Every player is made by Create, which has found the library open.
const platform::MpvFunctions& Mpv()
{
    return *platform::LoadMpv().functions;
}

// A few positions a second keep a display in step without flooding it.
constexpr std::chrono::milliseconds kPositionInterval { 250 };

// Options that make mpv a quiet engine of ours: no window, no terminal, no
// user configuration or scripts, no key bindings; exact seeks; the last
// picture stays at the clip's end.
constexpr const char* kOptions[][2] = {
    { "vo", "libmpv" },
    { "terminal", "no" },
    { "config", "no" },
    { "load-scripts", "no" },
    { "ytdl", "no" },
    { "input-default-bindings", "no" },
    { "input-vo-keyboard", "no" },
    { "osc", "no" },
    // Scripts built into mpv itself, each a Lua state on a thread of its own.
    { "load-stats-overlay", "no" },
    { "load-osd-console", "no" },
    { "load-auto-profiles", "no" },
    { "idle", "yes" },
    { "keep-open", "yes" },
    { "hr-seek", "yes" },
    { "hwdec", "no" },
    { "audio-display", "no" },
    { "sub-auto", "no" },
    { "audio-file-auto", "no" },
    { "cover-art-auto", "no" },
    { "resume-playback", "no" },
    { "save-position-on-quit", "no" },
    { "audio-fallback-to-null", "yes" },
    // The pictures are drawn on the GUI thread, which must never wait for a
    // picture's time: mpv hands each one over when it is due.
    { "video-timing-offset", "0" },
    // A preview a few hundred pixels wide needs no careful scaling.
    { "sws-scaler", "fast-bilinear" },
    { "zimg-scaler", "bilinear" },
    { "zimg-fast", "yes" },
};

std::string SecondsText(double seconds)
{
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 6);
    return std::string(text, written.ptr);
}

// mpv copies what an asynchronous request points to before it returns.
void* StringArgument(const std::string& text)
{
    static thread_local const char* pointer = nullptr;
    pointer = text.c_str();
    return &pointer;
}

std::int64_t IntProperty(mpv_handle* mpv, const char* name)
{
    std::int64_t value = 0;
    Mpv().get_property(mpv, name, MPV_FORMAT_INT64, &value);
    return value;
}

} // namespace

MpvPlayback::Creation MpvPlayback::Create(const std::string& audioOutputs)
{
    // mpv refuses to start under any other numeric locale: it reads and
    // writes numbers as text.
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (numeric && std::strcmp(numeric, "C") != 0)
        return { nullptr, "the numeric locale is not C" };
    // Opened at the first preview, not at start: see MpvLibrary.h.
    if (const platform::MpvLibrary& library = platform::LoadMpv(); !library.functions)
        return { nullptr, library.error };
    mpv_handle* mpv = Mpv().create();
    if (!mpv)
        return { nullptr, "libmpv could not be started" };
    for (const auto& [name, value] : kOptions)
        Mpv().set_option_string(mpv, name, value);
    Mpv().set_option_string(mpv, "ao", audioOutputs.c_str());
    if (const int status = Mpv().initialize(mpv); status < 0) {
        Mpv().terminate_destroy(mpv);
        return { nullptr, std::string("libmpv could not be initialised: ") + Mpv().error_string(status) };
    }
    std::unique_ptr<MpvPlayback> playback(new MpvPlayback(mpv));
    std::string error;
    if (!playback->AttachRenderer(error))
        return { nullptr, error };
    return { std::move(playback), {} };
}

MpvPlayback::MpvPlayback(mpv_handle* mpv)
    : m_mpv(mpv)
{
    Mpv().observe_property(m_mpv, 0, "time-pos", MPV_FORMAT_DOUBLE);
    Mpv().observe_property(m_mpv, 0, "eof-reached", MPV_FORMAT_FLAG);
    // The video output says so, verbosely, when it waits for us to take
    // a picture; all else at that level is mostly said while a file opens.
    Mpv().request_log_messages(m_mpv, "v");
    // Called from mpv's threads: only post a call, once until it has run.
    Mpv().set_wakeup_callback(
        m_mpv,
        [](void* self) {
            auto* playback = static_cast<MpvPlayback*>(self);
            if (!playback->m_eventsPosted.exchange(true))
                QMetaObject::invokeMethod(
                    playback, [playback] { playback->DrainEvents(); }, Qt::QueuedConnection);
        },
        this);
}

bool MpvPlayback::AttachRenderer(std::string& error)
{
    char apiType[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param parameters[] = {
        { MPV_RENDER_PARAM_API_TYPE, apiType },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    if (const int status = Mpv().render_context_create(&m_render, m_mpv, parameters); status < 0) {
        m_render = nullptr;
        error = std::string("libmpv's software renderer is not available: ") + Mpv().error_string(status);
        return false;
    }
    Mpv().render_context_set_update_callback(
        m_render,
        [](void* self) {
            auto* playback = static_cast<MpvPlayback*>(self);
            if (!playback->m_renderPosted.exchange(true))
                QMetaObject::invokeMethod(
                    playback, [playback] { playback->RenderFrame(); }, Qt::QueuedConnection);
        },
        this);
    return true;
}

MpvPlayback::~MpvPlayback()
{
    // No callback may post to this object once it is gone; calls already
    // posted die with it. The renderer goes before the core it draws from;
    // terminate_destroy waits for mpv's threads and closes the audio device.
    Mpv().set_wakeup_callback(m_mpv, nullptr, nullptr);
    if (m_render) {
        Mpv().render_context_set_update_callback(m_render, nullptr, nullptr);
        Mpv().render_context_free(m_render);
    }
    Mpv().terminate_destroy(m_mpv);
}

void MpvPlayback::Play(const Clip& clip)
{
    ++m_generation;
    m_clip = clip;
    m_entry = kEntryPending;
    m_entryStarted = false;
    m_loaded = false;
    m_hasVideo = true;
    m_playing = true;
    m_awaitingFirstPicture = true;
    m_clipPictureDrawn = false;
    m_timePos.reset();
    if (clip.path.empty()) {
        FailPlay();
        return;
    }
    // Nothing here waits for mpv, which may be busy opening the file before:
    // requests are queued in order, and the reply to the load names the
    // playlist entry whose events and pictures are this clip's.
    Mpv().set_property_async(
        m_mpv, 0, "start", MPV_FORMAT_STRING, StringArgument(SecondsText(clip.startSeconds)));
    Mpv().set_property_async(
        m_mpv, 0, "end", MPV_FORMAT_STRING, StringArgument(SecondsText(clip.endSeconds)));
    int no = 0;
    Mpv().set_property_async(m_mpv, 0, "pause", MPV_FORMAT_FLAG, &no);
    const char* command[] = { "loadfile", clip.path.c_str(), "replace", nullptr };
    if (Mpv().command_async(m_mpv, m_generation, command) < 0)
        FailPlay();
}

void MpvPlayback::FailPlay()
{
    m_entry = kNoEntry;
    m_playing = false;
    m_awaitingFirstPicture = false;
    ClearPicture();
    PostPosition(m_clip.startSeconds);
}

void MpvPlayback::Pause()
{
    if (!m_playing)
        return;
    int yes = 1;
    Mpv().set_property_async(m_mpv, 0, "pause", MPV_FORMAT_FLAG, &yes);
    m_playing = false;
    m_awaitingFirstPicture = false;
    PostPosition(CurrentTime());
}

void MpvPlayback::Stop()
{
    if (m_entry == kNoEntry)
        return;
    const double position = CurrentTime();
    const char* command[] = { "stop", nullptr };
    Mpv().command_async(m_mpv, 0, command);
    m_entry = kNoEntry;
    m_entryStarted = false;
    m_loaded = false;
    m_playing = false;
    m_awaitingFirstPicture = false;
    PostPosition(position);
}

void MpvPlayback::SetTargetSize(QSize size)
{
    if (size.isEmpty() || size == m_targetSize)
        return;
    m_targetSize = size;
    if (m_loaded && m_hasVideo)
        RenderFrame();
}

MpvPlayback::Counters MpvPlayback::FrameCounters() const
{
    return { IntProperty(m_mpv, "frame-drop-count"), IntProperty(m_mpv, "decoder-frame-drop-count"),
        m_picturesDrawn, m_rendererStalls };
}

double MpvPlayback::CurrentTime() const
{
    return m_timePos.value_or(m_clip.startSeconds);
}

void MpvPlayback::DrainEvents()
{
    m_eventsPosted = false;
    // Handlers may emit, and a receiver may start another clip: take
    // events until mpv has none.
    for (;;) {
        const mpv_event* event = Mpv().wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        HandleEvent(*event);
    }
}

void MpvPlayback::HandleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata == m_generation && m_entry == kEntryPending)
            OnLoadReplied(event);
        return;
    case MPV_EVENT_START_FILE: {
        const auto* start = static_cast<const mpv_event_start_file*>(event.data);
        m_lastStartedEntry = start->playlist_entry_id;
        if (start->playlist_entry_id == m_entry)
            m_entryStarted = true;
        return;
    }
    case MPV_EVENT_FILE_LOADED:
        m_lastLoadedEntry = m_lastStartedEntry;
        if (m_entryStarted)
            OnFileLoaded();
        return;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        if (end->playlist_entry_id == m_entry)
            OnFileEnded(end->reason, end->error);
        return;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        // A file without pictures has started to sound.
        if (m_loaded && !m_hasVideo && m_awaitingFirstPicture) {
            m_awaitingFirstPicture = false;
            ReportPosition(CurrentTime());
        }
        return;
    case MPV_EVENT_PROPERTY_CHANGE:
        HandlePropertyChange(*static_cast<const mpv_event_property*>(event.data));
        return;
    case MPV_EVENT_LOG_MESSAGE: {
        const auto* message = static_cast<const mpv_event_log_message*>(event.data);
        if (std::strcmp(message->prefix, "vo/libmpv") == 0
            && std::strstr(message->text, "not being called or stuck"))
            ++m_rendererStalls;
        return;
    }
    default:
        return;
    }
}

void MpvPlayback::HandlePropertyChange(const mpv_event_property& property)
{
    if (!m_loaded || property.format == MPV_FORMAT_NONE)
        return;
    if (std::strcmp(property.name, "eof-reached") == 0) {
        if (*static_cast<const int*>(property.data) && m_playing) {
            m_playing = false;
            m_awaitingFirstPicture = false;
            ReportPosition(m_clip.endSeconds);
        }
        return;
    }
    if (std::strcmp(property.name, "time-pos") != 0)
        return;
    m_timePos = *static_cast<const double*>(property.data);
    if (m_playing && !m_awaitingFirstPicture
        && std::chrono::steady_clock::now() - m_lastReport >= kPositionInterval)
        ReportPosition(*m_timePos);
}

void MpvPlayback::OnLoadReplied(const mpv_event& event)
{
    const auto* reply = static_cast<const mpv_event_command*>(event.data);
    const mpv_node* id = nullptr;
    if (event.error >= 0 && reply->result.format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list* map = reply->result.u.list;
        for (int i = 0; i < map->num; ++i) {
            if (std::strcmp(map->keys[i], "playlist_entry_id") == 0
                && map->values[i].format == MPV_FORMAT_INT64)
                id = &map->values[i];
        }
    }
    if (!id) {
        FailPlay();
        return;
    }
    m_entry = id->u.int64;
    // The entry may have started, even loaded, before the reply came.
    m_entryStarted = m_lastStartedEntry == m_entry;
    if (m_lastLoadedEntry == m_entry)
        OnFileLoaded();
}

void MpvPlayback::OnFileLoaded()
{
    m_loaded = true;
    char* video = Mpv().get_property_string(m_mpv, "current-tracks/video/id");
    m_hasVideo = video != nullptr;
    Mpv().free(video);
    // Nothing of the file before may stay in the place of one without pictures.
    if (!m_hasVideo)
        ClearPicture();
}

void MpvPlayback::OnFileEnded(int reason, int /*error*/)
{
    const bool wasLoaded = m_loaded;
    m_entry = -1;
    m_entryStarted = false;
    m_loaded = false;
    if (reason == MPV_END_FILE_REASON_ERROR || !wasLoaded) {
        // Not playable: nothing of another file stays in its place.
        ClearPicture();
        m_playing = false;
        m_awaitingFirstPicture = false;
        ReportPosition(m_clip.startSeconds);
        return;
    }
    if (reason == MPV_END_FILE_REASON_EOF && (m_playing || m_awaitingFirstPicture)) {
        m_playing = false;
        m_awaitingFirstPicture = false;
        ReportPosition(m_clip.endSeconds);
    }
}

void MpvPlayback::RenderFrame()
{
    m_renderPosted = false;
    if (!m_render)
        return;
    const bool newFrame = Mpv().render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME;
    const bool resized = m_picture.size() != m_targetSize;
    // Pictures of a file replaced meanwhile or after a stop are not shown.
    // Once paused, stopped or at its end the picture holds: mpv may still
    // hand over pictures it had queued before the pause reached it.
    const bool shown = m_loaded && m_hasVideo && (m_playing || !m_clipPictureDrawn || resized);
    if (!shown) {
        // mpv's video output waits, up to a fifth of a second, until a
        // picture it handed over is taken, and only then opens the next
        // file: take it where nobody sees it.
        if (newFrame)
            DrawInto(m_discarded);
        return;
    }
    if (!newFrame && !resized)
        return;
    if (resized)
        m_picture = QImage(m_targetSize, QImage::Format_RGB32);
    if (!DrawInto(m_picture))
        return;
    ++m_picturesDrawn;
    m_clipPictureDrawn = true;
    emit PictureChanged();
    if (m_awaitingFirstPicture) {
        m_awaitingFirstPicture = false;
        ReportPosition(CurrentTime());
    }
}

bool MpvPlayback::DrawInto(QImage& image)
{
    if (image.size() != m_targetSize)
        image = QImage(m_targetSize, QImage::Format_RGB32);
    int size[2] = { m_targetSize.width(), m_targetSize.height() };
    char format[] = "bgr0"; // QImage's RGB32 in memory on little-endian machines
    std::size_t stride = static_cast<std::size_t>(image.bytesPerLine());
    int waitForTime = 0;
    mpv_render_param parameters[] = {
        { MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &waitForTime },
        { MPV_RENDER_PARAM_SW_SIZE, size },
        { MPV_RENDER_PARAM_SW_FORMAT, format },
        { MPV_RENDER_PARAM_SW_STRIDE, &stride },
        { MPV_RENDER_PARAM_SW_POINTER, image.bits() },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    return Mpv().render_context_render(m_render, parameters) >= 0;
}

void MpvPlayback::ReportPosition(double seconds)
{
    m_lastReport = std::chrono::steady_clock::now();
    emit Position(seconds);
}

void MpvPlayback::PostPosition(double seconds)
{
    // Called from inside a receiver's handler: deliver later, as mpv's own
    // positions are, unless another clip has started by then.
    const std::uint64_t generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation, seconds] {
            if (generation == m_generation)
                ReportPosition(seconds);
        },
        Qt::QueuedConnection);
}

void MpvPlayback::ClearPicture()
{
    if (m_picture.size() != m_targetSize)
        m_picture = QImage(m_targetSize, QImage::Format_RGB32);
    m_picture.fill(Qt::black);
    emit PictureChanged();
}

} // namespace kelvara
