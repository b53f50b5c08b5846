// The video-editing component: answers questions about source files,
// converts clips to AVI, MPEG-1/MPEG-2 program streams and VCD, SVCD and DVD
// streams by running the ffmpeg program in the background, and plays a clip
// in its preview window through libmpv (MpvPlayback). Conversions and
// playback share the clip list and never run together: StopConvert also
// ends a playback, and StartConvert ends one first.
//
// Events are Qt signals emitted from the owning thread's event loop, so they
// reach the program while it services messages:
// - ConvertProgress(position, total), event 2: seconds of output written and
//   the clip's length. Positions never go down; a successful conversion ends
//   with position == total.
// - ConvertComplete(), event 1: exactly once per conversion that StartConvert
//   started, also after a failure (LastConvertSucceeded() and
//   LastConvertError() tell why: ffmpeg's last error line, or "no output
//   written") — but not after StopConvert.
//
// StopConvert asks ffmpeg to finish (the output is closed properly, so the
// part written so far plays) and returns at once; the event loop ends it for
// good after FfmpegRun::kStopGraceMs and reaps it. No completion is emitted
// afterwards: the program stops waiting when it stops, and a late event
// would be taken for the next conversion's. The destructor ends a running
// conversion at once.
//
// ffmpeg writes under a hidden temporary name beside the output; the output
// gets its name when the conversion ends well, or when a stop leaves a file
// that holds frames. A failed conversion or an earlier stop leaves no file.
//
// - PreviewPosition(seconds), event 4: where the playback is, a few times a
//   second while it plays, once its first picture is drawn, when it pauses
//   or stops, when it reaches the clip's end, and when the file cannot be
//   played. mpv is started at the first StartPlay, not before.
#pragma once

#include "videoedit/ClipList.h"
#include "videoedit/CodecCatalogue.h"
#include "videoedit/ConvertSettings.h"
#include "videoedit/MediaInfo.h"
#include "videoedit/MediaProbe.h"
#include "videoedit/NamedCodecList.h"
#include "videoedit/PreviewControl.h"
#include "videoedit/PreviewView.h"
#include "videoedit/VideoEditControl.h"

#include "files/StagedOutput.h"

#include <QImage>
#include <QObject>
#include <QPointer>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvara {

class FfmpegRun;
class MpvPlayback;
struct ConvertRequest;

class CVideoEdit : public QObject, public MediaProbe, public VideoEditControl, public PreviewControl {
    Q_OBJECT

public:
    explicit CVideoEdit(QObject* parent = nullptr);
    ~CVideoEdit() override;

    double GetFileDuration(const std::string& path) override;
    int GetFileWidth(const std::string& path) override;
    int GetFileHeight(const std::string& path) override;

    void SetVideoCodecIndex(std::int16_t index) override { m_settings.videoCodecIndex = index; }
    const CodecList& VideoCodecs() const override { return Codecs().videoNames; }
    void SetUseVideoCodec(bool use) override { m_settings.useVideoCodec = use; }
    void SetAudioCodecIndex(std::int16_t index) override { m_settings.audioCodecIndex = index; }
    const CodecList& AudioCodecs() const override { return Codecs().audioNames; }
    void SetUseAudioCodec(bool use) override { m_settings.useAudioCodec = use; }
    void SetOutputHeight(std::int16_t height) override { m_settings.height = height; }
    void SetOutputWidth(std::int16_t width) override { m_settings.width = width; }
    void SetOutputDepth(std::int16_t depth) override { m_settings.depth = depth; }
    void SetOutputFormat(std::int32_t format) override { m_settings.format = format; }
    void SetOutputFrameRate(float framesPerSecond) override;
    void SetOutputAudioBitrate(std::int32_t kbitsPerSecond) override
    {
        m_settings.audioKbits = kbitsPerSecond;
    }
    void SetOutputSampleRate(std::int32_t hertz) override { m_settings.sampleRate = hertz; }

    // Refused, with the reason and nothing emitted, when it cannot start: no
    // clip, a source that is missing or unreadable, an output folder that is
    // missing or read-only, an output that is the source, an unknown format
    // or codec, no ffmpeg, or a conversion already running.
    ConvertStart StartConvert(const std::string& outputPath) override;
    bool AddClip(const std::string& path, double start, double end) override;
    bool AddClipEx(const std::string& path, double start, double end, std::int16_t flag) override;
    void ClearClips() override;
    void StopConvert() override;
    void StopConvertDiscardingOutput() override;
    bool StartPlay() override;
    void PausePlay() override;

    // The preview window, a child of `parent`; made once.
    QWidget* CreatePreviewView(QWidget* parent);
    // mpv's audio outputs to try, in order; before the first StartPlay.
    void SetAudioOutputs(std::string outputs) { m_audioOutputs = std::move(outputs); }
    bool IsPlaying() const;
    // The preview's last picture; null before the first one.
    QImage PreviewPicture() const;
    // Why playback cannot start, when it cannot.
    const std::string& PlaybackError() const { return m_playbackError; }
    MpvPlayback* Playback() const { return m_playback.get(); }

    bool LastConvertSucceeded() const override { return m_lastSucceeded; }
    std::string LastConvertError() const override { return m_lastError; }
    std::string LastConvertOutput() const override { return m_lastOutput; }

    bool IsConverting() const { return m_run != nullptr; }
    // The running ffmpeg's process id, 0 when none runs.
    qint64 ConverterProcessId() const;

signals:
    void ConvertComplete();
    void ConvertProgress(double position, double total);
    void PreviewPosition(double seconds);

private:
    enum class StoppedOutput { KeepWhenItPlays, Discard };
    void StopRun(StoppedOutput stopped);
    // The file list asks for a source's duration on every row refresh: each
    // file is opened once per version of it (its modification time and size).
    const MediaInfo& InfoFor(const std::string& path);

    struct PreparedRequest; // the request, or the refusal
    PreparedRequest RequestFor(const std::string& outputPath);
    std::optional<ConvertStart> ResolveCodecs(ConvertRequest& request) const;
    void OnRunProgressed(double seconds);
    void OnRunFinished(const QString& failure);
    void DetachRun();
    MpvPlayback* EnsurePlayback();
    std::optional<Clip> ClipToPlay() const;

    struct CachedInfo {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        MediaInfo info;
    };
    std::map<std::string, CachedInfo> m_cache;

    // The codecs FFmpeg's libraries can encode with, asked at the first use
    // rather than when the component is made: the window is made before its
    // first picture, which needs neither the libraries nor the lists.
    struct CodecLists {
        std::vector<VideoCodecEntry> video;
        std::vector<AudioCodecEntry> audio;
        NamedCodecList videoNames;
        NamedCodecList audioNames;
    };
    const CodecLists& Codecs() const;
    mutable std::optional<CodecLists> m_codecs;

    ConvertSettings m_settings;
    ClipList m_clips;
    // The clip last asked for, also one the list refuses for having no
    // length: the preview shows that picture.
    std::optional<Clip> m_requestedClip;

    std::unique_ptr<MpvPlayback> m_playback;
    std::string m_playbackError;
    std::string m_audioOutputs = "pulse,alsa,null";
    QPointer<PreviewView> m_view; // owned by its parent widget

    // The running conversion; owned as a child, deleted once its signals are
    // done (a receiver may stop it from inside one of them).
    FfmpegRun* m_run = nullptr;
    // The output under its temporary name until the conversion ends well.
    std::optional<StagedOutput> m_output;
    double m_totalSeconds = 0.0;
    double m_lastPosition = 0.0;
    // Set while the final progress event of a finished conversion is out.
    bool m_finishing = false;
    bool m_stoppedWhileFinishing = false;
    bool m_lastSucceeded = false;
    std::string m_lastError;
    // ffmpeg's standard error of the last conversion, as far as it was read.
    std::string m_lastOutput;
};

} // namespace kelvara
