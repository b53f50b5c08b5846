#include "CVideoEdit.h"

#include "videoedit/EncoderAvailability.h"
#include "videoedit/FfmpegArguments.h"
#include "videoedit/FfmpegRun.h"
#include "videoedit/MpvPlayback.h"
#include "videoedit/StartChecks.h"

#include "files/SameFile.h"

#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <memory>
#include <utility>

namespace kelvara {

namespace {

const char* const kNoOutputError = "no output written";
const char* const kStoppedError = "stopped";
// ffmpeg writes the staged output through this descriptor of its own.
constexpr int kOutputChildFd = 3;

template <typename Entry> NamedCodecList NamesOf(const std::vector<Entry>& entries)
{
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const Entry& entry : entries)
        names.emplace_back(entry.name);
    return NamedCodecList(std::move(names));
}

template <typename Entry>
std::optional<Entry> Pick(const std::vector<Entry>& entries, bool useChosen, int chosenIndex)
{
    const int index = useChosen ? chosenIndex : 0;
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return std::nullopt;
    return entries[static_cast<std::size_t>(index)];
}

QStringList ToQt(const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list.append(QString::fromStdString(argument));
    return list;
}

bool HoldsFrames(const std::string& path)
{
    const MediaInfo info = ReadMediaInfo(path);
    return info.readable && info.durationSeconds > 0.0;
}

// ffmpeg's messages name the descriptor it writes to; the user knows the final name.
std::string WithFinalName(std::string text, const StagedOutput& output)
{
    const std::string temporary = StagedOutput::DescriptorPath(kOutputChildFd);
    for (std::size_t at = text.find(temporary); at != std::string::npos;
         at = text.find(temporary, at + output.FinalPath().size()))
        text.replace(at, temporary.size(), output.FinalPath());
    return text;
}

ConvertStart Refuse(ConvertRefusal refusal, std::string reason)
{
    return ConvertStart::Refused(refusal, std::move(reason));
}

} // namespace

struct CVideoEdit::PreparedRequest {
    std::optional<ConvertRequest> request;
    ConvertStart refusal; // when request is empty
};

CVideoEdit::CVideoEdit(QObject* parent)
    : QObject(parent)
{
}

const CVideoEdit::CodecLists& CVideoEdit::Codecs() const
{
    if (!m_codecs) {
        CodecLists lists;
        lists.video = AvailableVideoCodecs(FfmpegHasEncoder);
        lists.audio = AvailableAudioCodecs(FfmpegHasEncoder);
        lists.videoNames = NamesOf(lists.video);
        lists.audioNames = NamesOf(lists.audio);
        m_codecs = std::move(lists);
    }
    return *m_codecs;
}

CVideoEdit::~CVideoEdit()
{
    // A component that goes away wants no output anymore: its run, a child
    // object, ends ffmpeg at once as it is destroyed, and emits nothing.
    if (m_run)
        disconnect(m_run, nullptr, this, nullptr);
}

const MediaInfo& CVideoEdit::InfoFor(const std::string& path)
{
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(path, error);
    const std::uintmax_t size = error ? 0 : std::filesystem::file_size(path, error);
    if (error) {
        // Missing or unreadable: nothing to cache, nothing to read.
        static const MediaInfo nothing;
        m_cache.erase(path);
        return nothing;
    }
    auto found = m_cache.find(path);
    if (found != m_cache.end() && found->second.modified == modified && found->second.size == size)
        return found->second.info;
    CachedInfo& entry = m_cache[path];
    entry.modified = modified;
    entry.size = size;
    entry.info = ReadMediaInfo(path);
    return entry.info;
}

double CVideoEdit::GetFileDuration(const std::string& path)
{
    return InfoFor(path).durationSeconds;
}

int CVideoEdit::GetFileWidth(const std::string& path)
{
    return InfoFor(path).width;
}

int CVideoEdit::GetFileHeight(const std::string& path)
{
    return InfoFor(path).height;
}

void CVideoEdit::SetOutputFrameRate(float framesPerSecond)
{
    // The panel's rates are decimals ("29.97"): read the float back as its
    // shortest decimal, so 29.97f means 29.97 and not 29.9699993.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, framesPerSecond);
    double value = 0.0;
    std::from_chars(text, written.ptr, value);
    m_settings.framesPerSecond = value;
}

bool CVideoEdit::AddClip(const std::string& path, double start, double end)
{
    if (!m_requestedClip)
        m_requestedClip = Clip { path, start, end };
    return m_clips.Add(path, start, end);
}

bool CVideoEdit::AddClipEx(const std::string& path, double start, double end, std::int16_t /*flag*/)
{
    return AddClip(path, start, end);
}

void CVideoEdit::ClearClips()
{
    m_clips.Clear();
    m_requestedClip.reset();
}

std::optional<ConvertStart> CVideoEdit::ResolveCodecs(ConvertRequest& request) const
{
    const auto video = Pick(Codecs().video, m_settings.useVideoCodec, m_settings.videoCodecIndex);
    const auto audio = Pick(Codecs().audio, m_settings.useAudioCodec, m_settings.audioCodecIndex);
    if (!video)
        return Refuse(ConvertRefusal::UnknownCodec,
            "there is no video codec number " + std::to_string(m_settings.videoCodecIndex));
    if (!audio)
        return Refuse(ConvertRefusal::UnknownCodec,
            "there is no audio codec number " + std::to_string(m_settings.audioCodecIndex));
    request.videoCodec = *video;
    request.audioCodec = *audio;
    return std::nullopt;
}

CVideoEdit::PreparedRequest CVideoEdit::RequestFor(const std::string& outputPath)
{
    if (m_clips.IsEmpty())
        return { std::nullopt, Refuse(ConvertRefusal::NoClip, "no clip to convert") };
    const Clip& clip = m_clips.Only();
    const std::optional<VideoEditFormat> format = FormatFromValue(m_settings.format);
    if (!format)
        return { std::nullopt,
            Refuse(ConvertRefusal::UnknownFormat,
                "unknown output format " + std::to_string(m_settings.format)) };
    if (std::optional<ConvertStart> refusal = CheckSource(clip.path))
        return { std::nullopt, *refusal };
    if (std::optional<ConvertStart> refusal = CheckOutput(outputPath))
        return { std::nullopt, *refusal };
    if (IsSameFile(clip.path, outputPath))
        return { std::nullopt,
            Refuse(ConvertRefusal::OutputIsSource,
                "the output '" + outputPath + "' is the same file as the source '" + clip.path
                    + "'; the source is left as it is") };
    const MediaInfo& source = InfoFor(clip.path);
    if (!source.readable)
        return { std::nullopt,
            Refuse(ConvertRefusal::SourceUnreadable, "cannot read '" + clip.path + "': not a media file") };

    ConvertRequest request;
    request.format = *format;
    request.settings = m_settings;
    request.sourcePath = clip.path;
    request.startSeconds = clip.startSeconds;
    // A clip that runs past the source's end is as long as what is there.
    const double end
        = source.durationSeconds > 0.0 ? std::min(clip.endSeconds, source.durationSeconds) : clip.endSeconds;
    request.lengthSeconds = end - clip.startSeconds;
    if (request.lengthSeconds <= 0.0)
        return { std::nullopt,
            Refuse(ConvertRefusal::EmptyClip, "the clip of '" + clip.path + "' is empty") };
    request.sourceWidth = source.width;
    request.sourceHeight = source.height;
    request.outputPath = outputPath;
    if (*format == VideoEditFormat::Avi) {
        if (std::optional<ConvertStart> refusal = ResolveCodecs(request))
            return { std::nullopt, *refusal };
    }
    return { request, ConvertStart::Started() };
}

ConvertStart CVideoEdit::StartConvert(const std::string& outputPath)
{
    // One conversion at a time; the completion of the one that is ending
    // has not gone out yet while m_finishing is set.
    if (m_run || m_finishing)
        return Refuse(ConvertRefusal::AlreadyConverting, "a conversion is already running");
    if (m_playback)
        m_playback->Stop();
    PreparedRequest prepared = RequestFor(outputPath);
    if (!prepared.request)
        return prepared.refusal;
    const std::optional<std::string> ffmpeg = FindFfmpeg();
    if (!ffmpeg)
        return Refuse(ConvertRefusal::NoFfmpeg, "the ffmpeg program was not found");
    // ffmpeg writes into a staged file, which leaves nothing when we are
    // killed; the output gets its name only when the conversion ended well
    // (or was stopped after it wrote frames). The arguments name the format,
    // which the descriptor's name cannot tell.
    StagedOutput::Created staged = StagedOutput::Create(outputPath);
    if (!staged.output)
        return Refuse(ConvertRefusal::OutputFolderReadOnly, staged.error);
    prepared.request->outputPath = StagedOutput::DescriptorPath(kOutputChildFd);

    auto* run = new FfmpegRun(this);
    if (!run->Start(QString::fromStdString(*ffmpeg), ToQt(BuildFfmpegArguments(*prepared.request)),
            { { kOutputChildFd, staged.output->Descriptor() } })) {
        delete run;
        return Refuse(ConvertRefusal::CannotRunFfmpeg, "cannot run ffmpeg ('" + *ffmpeg + "')");
    }
    connect(run, &FfmpegRun::Progressed, this, &CVideoEdit::OnRunProgressed);
    connect(run, &FfmpegRun::Finished, this, &CVideoEdit::OnRunFinished);
    m_run = run;
    m_output = std::move(staged.output);
    m_totalSeconds = prepared.request->lengthSeconds;
    m_lastPosition = 0.0;
    m_lastSucceeded = false;
    m_lastError.clear();
    m_lastOutput.clear();
    return ConvertStart::Started();
}

void CVideoEdit::StopConvert()
{
    StopRun(StoppedOutput::KeepWhenItPlays);
}

void CVideoEdit::StopConvertDiscardingOutput()
{
    StopRun(StoppedOutput::Discard);
}

void CVideoEdit::StopRun(StoppedOutput stopped)
{
    if (m_playback)
        m_playback->Stop();
    if (m_finishing) {
        // ffmpeg is done, but the caller stops while it hears the last
        // progress: it stops waiting, so it gets no completion either.
        m_stoppedWhileFinishing = true;
        return;
    }
    if (!m_run)
        return;
    // A stop finishes the output properly (ffmpeg also writes the frames it
    // still held): once ffmpeg has ended, keep it when it plays, and remove
    // the file of headers only that a stop before the first frame leaves.
    // The output goes with the stop, which may outlive this component.
    // A discarded output is removed only once ffmpeg has ended: until then
    // it may still write, and a file removed earlier would come back.
    auto output = std::make_shared<std::optional<StagedOutput>>(std::exchange(m_output, std::nullopt));
    const bool keep = stopped == StoppedOutput::KeepWhenItPlays;
    m_run->Stop([output, keep] {
        if (keep && *output && (*output)->WrittenBytes() > 0 && HoldsFrames((*output)->OwnPath()))
            (*output)->Commit();
        output->reset();
    });
    m_lastOutput = m_run->ErrorTail();
    DetachRun();
    m_lastSucceeded = false;
    m_lastError = kStoppedError;
}

qint64 CVideoEdit::ConverterProcessId() const
{
    return m_run ? m_run->ProcessId() : 0;
}

void CVideoEdit::DetachRun()
{
    FfmpegRun* run = m_run;
    m_run = nullptr;
    disconnect(run, nullptr, this, nullptr);
    run->deleteLater();
}

void CVideoEdit::OnRunProgressed(double seconds)
{
    // ffmpeg's clock can pass the clip's end by a frame; the display should
    // not pass 100% nor step back.
    m_lastPosition = std::clamp(seconds, m_lastPosition, m_totalSeconds);
    emit ConvertProgress(m_lastPosition, m_totalSeconds);
}

void CVideoEdit::OnRunFinished(const QString& failure)
{
    m_lastOutput = m_run->ErrorTail();
    DetachRun();
    std::optional<StagedOutput> output = std::exchange(m_output, std::nullopt);
    std::string error = failure.toStdString();
    if (output)
        error = WithFinalName(error, *output);
    if (error.empty() && (!output || output->WrittenBytes() == 0))
        error = kNoOutputError;
    if (error.empty())
        error = output->Commit();
    output.reset(); // removes what a failed run wrote
    if (!error.empty()) {
        m_lastSucceeded = false;
        m_lastError = error;
    } else {
        m_lastSucceeded = true;
        m_lastError.clear();
        m_lastPosition = m_totalSeconds;
        m_finishing = true;
        m_stoppedWhileFinishing = false;
        emit ConvertProgress(m_totalSeconds, m_totalSeconds);
        m_finishing = false;
        if (m_stoppedWhileFinishing) {
            m_lastSucceeded = false;
            m_lastError = kStoppedError;
            return;
        }
    }
    emit ConvertComplete();
}

} // namespace kelvara
