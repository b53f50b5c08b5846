#include "PmpMuxer.h"

#include "AudioInterleave.h"
#include "MediaReader.h"
#include "Mp3Frames.h"
#include "PmpFormat.h"
#include "files/FileChecks.h"
#include "files/SameFile.h"
#include "files/StagedOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace kelvara::pmp {

namespace {

// Packet sizes go into the index shifted left by one.
constexpr std::uint64_t kLargestPacket = 0x7FFFFFFF;

struct VideoScan {
    StreamFacts facts;
    VideoFormat format = VideoFormat::Mpeg4Part2;
    std::vector<std::uint32_t> sizes;
    std::vector<bool> keyFrames;
};

struct AudioScan {
    StreamFacts facts;
    std::uint32_t samplesPerFrame = 0;
    std::vector<std::uint32_t> sizes;
    std::string lastFrame; // the model of the padding frames
};

// True when the packet's time is more than half a frame past where the
// `frame`-th frame of a constant-rate stream starts: frames were dropped.
bool IsLate(const MediaPacket& packet, std::size_t frame, const StreamFacts& facts)
{
    if (!packet.pts)
        return false;
    const double seconds = static_cast<double>(*packet.pts) * static_cast<double>(facts.timeBaseNumerator)
        / static_cast<double>(facts.timeBaseDenominator);
    const double frameSeconds = static_cast<double>(facts.frameDurationNumerator)
        / static_cast<double>(facts.frameDurationDenominator);
    return seconds > (static_cast<double>(frame) + 0.5) * frameSeconds;
}

bool ScanVideo(const std::string& path, VideoScan& scan, std::string& error)
{
    MediaReader reader;
    if (!reader.Open(path, StreamKind::Video, error))
        return false;
    scan.facts = reader.Facts();
    if (scan.facts.codecId == AV_CODEC_ID_MPEG4)
        scan.format = VideoFormat::Mpeg4Part2;
    else if (scan.facts.codecId == AV_CODEC_ID_H264)
        scan.format = VideoFormat::H264;
    else {
        error = path + ": the video is neither MPEG-4 part 2 nor H.264";
        return false;
    }
    if (scan.facts.width == 0 || scan.facts.height == 0 || scan.facts.frameDurationNumerator <= 0) {
        error = path + ": no picture size or frame rate";
        return false;
    }
    while (auto packet = reader.Next(error)) {
        if (IsLate(*packet, scan.sizes.size(), scan.facts)) {
            error = path + ": frames are missing after frame " + std::to_string(scan.sizes.size())
                + "; the video must have a constant frame rate";
            return false;
        }
        scan.sizes.push_back(static_cast<std::uint32_t>(packet->bytes.size()));
        scan.keyFrames.push_back(packet->keyFrame);
    }
    if (!error.empty())
        return false;
    if (scan.sizes.empty() || !scan.keyFrames.front()) {
        error = path + ": the video has no frames or does not start with a key frame";
        return false;
    }
    return true;
}

bool ScanAudio(const std::string& path, AudioScan& scan, std::string& error)
{
    MediaReader reader;
    if (!reader.Open(path, StreamKind::Audio, error))
        return false;
    scan.facts = reader.Facts();
    if (scan.facts.codecId != AV_CODEC_ID_MP3) {
        error = path + ": the audio is not MP3";
        return false;
    }
    if (scan.facts.channels < 1 || scan.facts.channels > 2 || scan.facts.sampleRate == 0) {
        error = path + ": the audio is neither mono nor stereo, or has no sample rate";
        return false;
    }
    while (auto packet = reader.Next(error)) {
        if (scan.sizes.empty())
            scan.samplesPerFrame = SamplesPerMpegAudioFrame(packet->bytes).value_or(0);
        scan.sizes.push_back(static_cast<std::uint32_t>(packet->bytes.size()));
        scan.lastFrame = std::move(packet->bytes);
    }
    if (!error.empty())
        return false;
    if (scan.samplesPerFrame == 0)
        scan.samplesPerFrame = scan.facts.samplesPerFrame;
    if (scan.sizes.empty() || scan.samplesPerFrame == 0) {
        error = path + ": the audio has no MP3 frames";
        return false;
    }
    return true;
}

PmpHeader HeaderFor(const VideoScan& video, const AudioScan& audio, const InterleavePlan& plan)
{
    PmpHeader header;
    header.videoFormat = video.format;
    header.videoFrameCount = static_cast<std::uint32_t>(video.sizes.size());
    header.width = video.facts.width;
    header.height = video.facts.height;
    header.frameDurationNumerator = static_cast<std::uint32_t>(video.facts.frameDurationNumerator);
    header.frameDurationDenominator = static_cast<std::uint32_t>(video.facts.frameDurationDenominator);
    header.audioFormat = AudioFormat::Mp3;
    header.audioStreamCount = 1;
    header.mostAudioFramesPerPacket = plan.mostFramesPerPacket;
    header.samplesPerAudioFrame = audio.samplesPerFrame;
    header.sampleRate = audio.facts.sampleRate;
    header.stereo = audio.facts.channels == 2;
    return header;
}

std::vector<PmpPacketHead> PacketHeads(
    const VideoScan& video, const AudioScan& audio, const InterleavePlan& plan)
{
    std::vector<PmpPacketHead> heads;
    for (std::size_t i = 0; i < video.sizes.size(); ++i) {
        const AudioShare& share = plan.shares[i];
        PmpPacketHead head;
        head.firstAudioDelayMs = share.firstDelayMs;
        head.lastAudioDelayMs = share.lastDelayMs;
        head.videoSize = video.sizes[i];
        for (std::uint32_t frame = share.firstFrame; frame < share.firstFrame + share.frameCount; ++frame)
            head.audioSizes.push_back(frame < audio.sizes.size() ? audio.sizes[frame] : audio.sizes.back());
        heads.push_back(std::move(head));
    }
    return heads;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool WriteBytes(std::FILE* file, std::string_view bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// The second pass: the frames themselves, checked against the first pass.
bool WritePackets(std::FILE* file, const std::string& videoPath, const std::string& audioPath,
    const std::vector<PmpPacketHead>& heads, const AudioScan& audio, std::string& error)
{
    MediaReader videoReader;
    MediaReader audioReader;
    if (!videoReader.Open(videoPath, StreamKind::Video, error)
        || !audioReader.Open(audioPath, StreamKind::Audio, error))
        return false;
    const std::string padding = SilentMpegAudioFrame(audio.lastFrame);
    bool audioLeft = true;
    for (const PmpPacketHead& head : heads) {
        auto video = videoReader.Next(error);
        if (!video || video->bytes.size() != head.videoSize) {
            error = videoPath + " changed while it was being read";
            return false;
        }
        if (!WriteBytes(file, EncodePacketHead(head)) || !WriteBytes(file, video->bytes))
            return false;
        for (std::uint32_t size : head.audioSizes) {
            std::optional<MediaPacket> frame;
            if (audioLeft)
                frame = audioReader.Next(error);
            audioLeft = frame.has_value();
            const std::string_view bytes = audioLeft ? std::string_view(frame->bytes) : padding;
            if (!error.empty() || bytes.size() != size) {
                error = audioPath + " changed while it was being read";
                return false;
            }
            if (!WriteBytes(file, bytes))
                return false;
        }
    }
    return true;
}

// The system's own words for a missing or unreadable input, before the
// demuxer turns them into its own; and no FIFO, which the demuxer would wait on.
bool CheckReadable(const std::string& path, std::string& error)
{
    error = SourceFileProblem(path);
    return error.empty();
}

bool CheckWritable(const std::string& path, std::string& error)
{
    error = OutputFileProblem(path);
    return error.empty();
}

bool CheckNotAnInput(const std::string& output, const std::string& input, std::string& error)
{
    if (!IsSameFile(output, input))
        return true;
    error = "the output '" + output + "' is the same file as the input '" + input
        + "'; the input is left as it is";
    return false;
}

bool WriteIndex(std::FILE* file, const std::vector<PmpPacketHead>& heads, const std::vector<bool>& keyFrames,
    std::string& error)
{
    for (std::size_t i = 0; i < heads.size(); ++i) {
        const std::uint64_t size = heads[i].PacketSize();
        if (size > kLargestPacket) {
            error = "a video frame is too large for a PMP file";
            return false;
        }
        if (!WriteBytes(file, EncodeIndexEntry({ static_cast<std::uint32_t>(size), keyFrames[i] })))
            return false;
    }
    return true;
}

// Writes the file once it is open; `error` stays empty for a failed write.
bool WriteContents(std::FILE* file, const std::string& videoPath, const std::string& audioPath,
    const VideoScan& video, const AudioScan& audio, std::string& error)
{
    const Timing timing { video.facts.frameDurationNumerator, video.facts.frameDurationDenominator,
        audio.samplesPerFrame, audio.facts.sampleRate };
    const InterleavePlan plan = PlanInterleave(static_cast<std::uint32_t>(video.sizes.size()),
        static_cast<std::uint32_t>(audio.sizes.size()), timing);
    const std::vector<PmpPacketHead> heads = PacketHeads(video, audio, plan);
    return WriteBytes(file, EncodeHeader(HeaderFor(video, audio, plan)))
        && WriteIndex(file, heads, video.keyFrames, error)
        && WritePackets(file, videoPath, audioPath, heads, audio, error);
}

} // namespace

bool MuxPmp(const std::string& videoPath, const std::string& audioPath, const std::string& outputPath,
    std::string& error)
{
    error.clear();
    if (!CheckReadable(videoPath, error) || !CheckReadable(audioPath, error)
        || !CheckWritable(outputPath, error) || !CheckNotAnInput(outputPath, videoPath, error)
        || !CheckNotAnInput(outputPath, audioPath, error))
        return false;
    VideoScan video;
    AudioScan audio;
    if (!ScanVideo(videoPath, video, error) || !ScanAudio(audioPath, audio, error))
        return false;
    // Written into a staged file: a failed or killed run leaves no partial file.
    StagedOutput::Created staged = StagedOutput::Create(outputPath);
    if (!staged.output) {
        error = staged.error;
        return false;
    }
    File file(std::fopen(staged.output->OwnPath().c_str(), "wb"));
    if (!file) {
        error = "cannot write '" + outputPath + "': " + std::strerror(errno);
        return false;
    }
    int writeError = 0;
    bool written = WriteContents(file.get(), videoPath, audioPath, video, audio, error);
    if (!written || std::fflush(file.get()) != 0) {
        written = false;
        writeError = errno;
    }
    if (std::fclose(file.release()) != 0 && written) { // a full disk may show only here
        written = false;
        writeError = errno;
    }
    if (written) {
        error = staged.output->Commit();
        return error.empty();
    }
    if (error.empty())
        error = "cannot write '" + outputPath + "': " + std::strerror(writeError);
    return false;
}

} // namespace kelvara::pmp
