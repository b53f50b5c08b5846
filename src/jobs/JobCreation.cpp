#include "JobCreation.h"

#include "JobList.h"
#include "RandomNumbers.h"
#include "videoedit/MediaProbe.h"

namespace kelvara {

namespace {

std::string_view FileNameOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The extension part searched for source types: from the last "." of the
// file name on; nothing when the file name has no ".".
std::string_view ExtensionPartOf(std::string_view path)
{
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view {} : name.substr(dot);
}

bool Contains(std::string_view text, std::string_view word)
{
    return text.find(word) != std::string_view::npos;
}

} // namespace

std::string BaseNameOf(std::string_view path)
{
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

SourceTypeFlags SourceTypeOf(std::string_view path)
{
    const std::string_view extension = ExtensionPartOf(path);
    SourceTypeFlags flags;
    flags.isRealMedia = Contains(extension, "rm");
    flags.isVcdDat = Contains(extension, "dat") || Contains(extension, "DAT");
    flags.isVob = Contains(extension, "VOB") || Contains(extension, "vob");
    return flags;
}

JobRecord CreateJobRecord(const std::string& path, MediaProbe& probe, RandomNumbers& numbers,
    const JobList& jobs, const JobPanelOptions& options)
{
    JobRecord job;
    job.aviFrameRate = options.aviFrameRate;
    job.aviVideoCodec = options.aviVideoCodec;
    job.aviAudioCodec = options.aviAudioCodec;
    job.mpegType = options.mpegType;
    job.mpegFrameRate = options.mpegFrameRate;
    job.mpegAudioBitrate = options.mpegAudioBitrate;
    job.mpegAudioRate = options.mpegAudioRate;
    job.sourcePath = path;
    job.durationMs = probe.GetFileDuration(path) * 1000.0;
    job.trimStartMs = 0.0;
    job.trimEndMs = job.durationMs;
    job.ClearProgress();

    const std::string base = BaseNameOf(path);
    job.outputTitle = base;
    job.titleText = base;
    job.titleCopy = base;
    job.fileNumber = numbers.DrawFileNumber(jobs);

    const SourceTypeFlags flags = SourceTypeOf(path);
    job.isRealMedia = flags.isRealMedia ? 1 : 0;
    job.isVcdDat = flags.isVcdDat ? 1 : 0;
    job.isVob = flags.isVob ? 1 : 0;
    if (flags.isVob) {
        job.sourceWidth = 320;
        job.sourceHeight = 240;
    } else {
        job.sourceWidth = probe.GetFileWidth(path);
        job.sourceHeight = probe.GetFileHeight(path);
    }
    job.outputWidth = job.sourceWidth;
    job.outputHeight = job.sourceHeight;
    return job;
}

} // namespace kelvara
