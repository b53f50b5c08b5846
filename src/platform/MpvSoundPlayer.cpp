#include "MpvSoundPlayer.h"

#include "platform/MpvLibrary.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace kelvara::platform {

namespace {

using Clock = std::chrono::steady_clock;

// A sound's handle exists only once its thread has found the library open.
const MpvFunctions& Mpv()
{
    return *LoadMpv().functions;
}

// Audio only, and nothing of mpv's own that a desktop program has no use for:
// no window, no scripts, no user configuration, no key bindings.
constexpr std::pair<const char*, const char*> kSoundOptions[] = {
    { "vid", "no" },
    { "video", "no" },
    { "audio-display", "no" },
    { "idle", "yes" },
    { "terminal", "no" },
    { "config", "no" },
    { "load-scripts", "no" },
    { "ytdl", "no" },
    { "osc", "no" },
    // Scripts built into mpv itself, each a Lua state on a thread of its own.
    { "load-stats-overlay", "no" },
    { "load-osd-console", "no" },
    { "load-auto-profiles", "no" },
    { "input-default-bindings", "no" },
    { "audio-client-name", "Kelvara" },
};

} // namespace

// One sound's player: an mpv handle made, and its events read, on a thread
// of its own, which Start begins.
class MpvSound {
public:
    explicit MpvSound(QString path)
        : m_path(std::move(path))
    {
    }

    void Start()
    {
        m_thread = std::thread([this] { Run(); });
    }

    ~MpvSound()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_quitting = true;
            if (m_mpv)
                Mpv().wakeup(m_mpv);
        }
        if (m_thread.joinable())
            m_thread.join();
    }

    MpvSound(const MpvSound&) = delete;
    MpvSound& operator=(const MpvSound&) = delete;

    void Play()
    {
        const std::lock_guard lock(m_mutex);
        ++m_asked;
        // Before the handle exists the thread looks at m_asked on its own;
        // mpv keeps a wake-up that comes before its wait.
        if (m_mpv)
            Mpv().wakeup(m_mpv);
    }

    std::optional<SoundEnd> WaitForEnd(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        const int wanted = m_asked;
        if (!m_ended.wait_for(lock, timeout, [&] { return m_lastEnded >= wanted || m_broken; }) || m_broken)
            return std::nullopt;
        return m_lastEnd;
    }

private:
    void Run()
    {
        mpv_handle* mpv = Create();
        {
            const std::lock_guard lock(m_mutex);
            m_mpv = mpv;
            m_broken = !mpv;
        }
        m_ended.notify_all();
        if (!mpv) {
            m_copy.reset();
            return;
        }
        while (ReadEvent(mpv)) { }
        {
            const std::lock_guard lock(m_mutex);
            m_mpv = nullptr;
        }
        Mpv().terminate_destroy(mpv);
        // Made on this thread, so it ends on it.
        m_copy.reset();
    }

    mpv_handle* Create()
    {
        // Opened on this thread at the first play, not at start: see MpvLibrary.h.
        if (!LoadMpv().functions)
            return nullptr;
        // mpv reads files, not the program's built-in resources: those are
        // copied once to a temporary file of our own, kept while we play it.
        // The file system's own bytes: a program folder's name need not be UTF-8.
        m_file = QFile::encodeName(m_path).toStdString();
        if (m_path.startsWith(QLatin1Char(':'))) {
            m_copy.reset(QTemporaryFile::createNativeFile(m_path));
            if (!m_copy)
                return nullptr;
            m_file = QFile::encodeName(m_copy->fileName()).toStdString();
        }
        mpv_handle* mpv = Mpv().create();
        if (!mpv)
            return nullptr;
        for (const auto& [name, value] : kSoundOptions)
            Mpv().set_option_string(mpv, name, value);
        if (const char* output = std::getenv(kSoundOutputVariable); output && *output)
            Mpv().set_option_string(mpv, "ao", output);
        if (Mpv().initialize(mpv) < 0) {
            Mpv().terminate_destroy(mpv);
            return nullptr;
        }
        return mpv;
    }

    // Starts what was asked since the last look, then handles one event;
    // false once the player is to end.
    bool ReadEvent(mpv_handle* mpv)
    {
        int asked = 0;
        {
            const std::lock_guard lock(m_mutex);
            if (m_quitting)
                return false;
            asked = m_asked;
        }
        if (asked > m_loaded) {
            // Plays asked in quick succession start the sound once, anew.
            m_loaded = asked;
            const char* command[] = { "loadfile", m_file.c_str(), "replace", nullptr };
            if (!m_silent && Mpv().command_async(mpv, 0, command) >= 0)
                m_loading.push_back(asked);
            else
                Ended(asked, {});
        }
        const mpv_event* event = Mpv().wait_event(mpv, -1);
        switch (event->event_id) {
        case MPV_EVENT_SHUTDOWN:
            return false;
        case MPV_EVENT_START_FILE:
            if (!m_loading.empty()) {
                m_playing = m_loading.front();
                m_loading.pop_front();
            }
            m_startedAt = Clock::now();
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event->data);
            // Without a sound device every later play would fail as well,
            // each time with the audio libraries' complaints on stderr.
            m_silent = m_silent || end->error == MPV_ERROR_AO_INIT_FAILED
                || end->error == MPV_ERROR_NOTHING_TO_PLAY;
            Ended(m_playing,
                { end->reason == MPV_END_FILE_REASON_EOF,
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_startedAt) });
            break;
        }
        default:
            break;
        }
        return true;
    }

    void Ended(int play, const SoundEnd& end)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_lastEnded = play;
            m_lastEnd = end;
        }
        m_ended.notify_all();
    }

    const QString m_path;
    // The thread's own.
    std::unique_ptr<QFile> m_copy;
    std::string m_file;
    int m_loaded = 0;
    bool m_silent = false;
    std::deque<int> m_loading;
    int m_playing = 0;
    Clock::time_point m_startedAt;
    // Shared with the window's thread.
    std::mutex m_mutex;
    std::condition_variable m_ended;
    mpv_handle* m_mpv = nullptr;
    bool m_quitting = false;
    bool m_broken = false;
    int m_asked = 0;
    int m_lastEnded = 0;
    SoundEnd m_lastEnd;
    // Last: it runs once everything above exists.
    std::thread m_thread;
};

MpvSoundPlayer::MpvSoundPlayer() = default;

MpvSoundPlayer::~MpvSoundPlayer()
{
    // The loader starts sounds' threads: it ends before they are ended.
    if (m_loader.joinable())
        m_loader.join();
}

void MpvSoundPlayer::Play(const QString& path, bool)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    MpvSound* sound = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        auto& made = m_sounds[path];
        if (!made) {
            made = std::make_unique<MpvSound>(path);
            StartWhenLoaded(*made);
        }
        sound = made.get();
    }
    sound->Play();
}

// A thread made while another opens a library waits until the opening has
// ended (the C library holds one lock for both): sounds asked while libmpv
// is being opened get their threads from the opening thread, once it is done.
void MpvSoundPlayer::StartWhenLoaded(MpvSound& sound)
{
    if (m_loaded) {
        sound.Start();
        return;
    }
    if (m_loader.joinable())
        return;
    m_loader = std::thread([this] {
        LoadMpv();
        const std::lock_guard lock(m_mutex);
        m_loaded = true;
        for (auto& [path, waiting] : m_sounds)
            waiting->Start();
    });
}

std::optional<SoundEnd> MpvSoundPlayer::WaitForEnd(const QString& path, std::chrono::milliseconds timeout)
{
    MpvSound* sound = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_sounds.find(path);
        if (found == m_sounds.end())
            return std::nullopt;
        sound = found->second.get();
    }
    return sound->WaitForEnd(timeout);
}

SoundPlayer& DefaultSoundPlayer()
{
    static MpvSoundPlayer player;
    return player;
}

} // namespace kelvara::platform
