#include "PmpCheck.h"

#include "MediaReader.h"
#include "Mp3Frames.h"
#include "PmpFormat.h"
#include "files/FileChecks.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace kelvara::pmp {

namespace {

// The whole file as bytes, mapped rather than read: PMP files can be large.
class MappedFile {
public:
    explicit MappedFile(const std::string& path)
    {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            return;
        struct stat facts { };
        if (::fstat(descriptor, &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_size > 0) {
            void* address = ::mmap(
                nullptr, static_cast<std::size_t>(facts.st_size), PROT_READ, MAP_PRIVATE, descriptor, 0);
            if (address != MAP_FAILED) {
                m_address = address;
                m_size = static_cast<std::size_t>(facts.st_size);
            }
        } else if (S_ISREG(facts.st_mode)) {
            m_empty = true;
        }
        ::close(descriptor);
    }
    ~MappedFile()
    {
        if (m_address)
            ::munmap(m_address, m_size);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool Readable() const { return m_address || m_empty; }
    std::string_view Bytes() const { return { static_cast<const char*>(m_address), m_size }; }

private:
    void* m_address = nullptr;
    std::size_t m_size = 0;
    bool m_empty = false;
};

bool CompareVideo(const PmpFile& file, MediaReader& source, std::string& error)
{
    std::size_t frame = 0;
    while (auto packet = source.Next(error)) {
        if (frame >= file.packets.size()) {
            error = "the PMP file lacks video frames of the source";
            return false;
        }
        if (packet->bytes != file.packets[frame].video || packet->keyFrame != file.index[frame].keyFrame) {
            error = "video frame " + std::to_string(frame) + " differs from the source";
            return false;
        }
        ++frame;
    }
    if (error.empty() && frame != file.packets.size())
        error = "the PMP file has more video frames than the source";
    return error.empty();
}

bool CompareAudio(const PmpFile& file, MediaReader& source, std::string& error)
{
    std::size_t position = 0;
    bool sourceLeft = true;
    for (const PmpPacket& packet : file.packets) {
        for (std::string_view frame : packet.audio) {
            std::optional<MediaPacket> expected;
            if (sourceLeft)
                expected = source.Next(error);
            sourceLeft = expected.has_value();
            if (!error.empty())
                return false;
            const bool matches = sourceLeft ? expected->bytes == frame : IsSilentMpegAudioFrame(frame);
            if (!matches) {
                error = "audio frame " + std::to_string(position) + " differs from the source";
                return false;
            }
            ++position;
        }
    }
    return true;
}

std::string SummaryOf(const PmpFile& file)
{
    const PmpHeader& header = file.header;
    std::size_t audioFrames = 0;
    for (const PmpPacket& packet : file.packets)
        audioFrames += packet.audio.size();
    return std::string(header.videoFormat == VideoFormat::H264 ? "H.264" : "MPEG-4") + " "
        + std::to_string(header.width) + "x" + std::to_string(header.height) + ", "
        + std::to_string(header.videoFrameCount) + " frames of "
        + std::to_string(header.frameDurationNumerator) + "/"
        + std::to_string(header.frameDurationDenominator) + " s; "
        + (header.audioFormat == AudioFormat::Mp3 ? "MP3 " : "AAC ") + std::to_string(header.sampleRate)
        + " Hz " + (header.stereo ? "stereo" : "mono") + ", " + std::to_string(audioFrames) + " frames";
}

} // namespace

bool CheckPmp(
    const std::string& pmpPath, const std::string& sourcePath, std::string& error, std::string& summary)
{
    // Before anything opens them for real: a FIFO would hold us forever.
    error = SourceFileProblem(pmpPath);
    if (error.empty() && !sourcePath.empty())
        error = SourceFileProblem(sourcePath);
    if (!error.empty())
        return false;
    const MappedFile mapped(pmpPath);
    if (!mapped.Readable()) {
        error = "cannot read " + pmpPath;
        return false;
    }
    const auto file = ParsePmpFile(mapped.Bytes(), error);
    if (!file) {
        error = pmpPath + ": " + error;
        return false;
    }
    if (!sourcePath.empty()) {
        MediaReader source;
        std::string videoError;
        if (source.Open(sourcePath, StreamKind::Video, videoError)) {
            if (!CompareVideo(*file, source, error))
                return false;
        } else {
            MediaReader audioSource;
            if (!audioSource.Open(sourcePath, StreamKind::Audio, error)
                || !CompareAudio(*file, audioSource, error))
                return false;
        }
    }
    summary = SummaryOf(*file);
    return true;
}

} // namespace kelvara::pmp
