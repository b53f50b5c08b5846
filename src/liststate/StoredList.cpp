#include "liststate/StoredList.h"

namespace kelvara::liststate {

StoredJob ToStored(const JobRecord& job)
{
    StoredJob s;
    s.sourcePath = job.sourcePath;
    s.durationMs = job.durationMs;
    s.sourceWidth = job.sourceWidth;
    s.sourceHeight = job.sourceHeight;
    s.trimStartMs = job.trimStartMs;
    s.trimEndMs = job.trimEndMs;
    s.outputWidth = job.outputWidth;
    s.outputHeight = job.outputHeight;
    s.aviFrameRate = job.aviFrameRate;
    s.aviVideoCodec = job.aviVideoCodec;
    s.aviAudioCodec = job.aviAudioCodec;
    s.mpegAudioBitrate = job.mpegAudioBitrate;
    s.mpegAudioRate = job.mpegAudioRate;
    s.mpegFrameRate = job.mpegFrameRate;
    s.mpegType = job.mpegType;
    s.fileNumber = job.fileNumber;
    s.outputTitle = job.outputTitle;
    s.titleText = job.titleText;
    s.titleCopy = job.titleCopy;
    s.isVob = job.isVob;
    s.isRealMedia = job.isRealMedia;
    s.isVcdDat = job.isVcdDat;
    s.intermediatePath = job.intermediatePath;
    s.partialOutputs = job.partialOutputs;
    s.state = job.stateIcon;
    s.failed = job.failed;
    s.finished = job.finished;
    const bool converting = job.stateIcon == JobState::Converting;
    s.percentDone = converting ? 0 : job.percentDone;
    s.stage = converting ? JobStage::Waiting : job.stage;
    s.outcome = job.run.outcome;
    s.outputPath = job.outputPath;
    return s;
}

JobRecord ToJob(const StoredJob& s)
{
    JobRecord job;
    job.sourcePath = s.sourcePath;
    job.durationMs = s.durationMs;
    job.sourceWidth = s.sourceWidth;
    job.sourceHeight = s.sourceHeight;
    job.trimStartMs = s.trimStartMs;
    job.trimEndMs = s.trimEndMs;
    job.positionMs = s.trimStartMs;
    job.outputWidth = s.outputWidth;
    job.outputHeight = s.outputHeight;
    job.aviFrameRate = s.aviFrameRate;
    job.aviVideoCodec = s.aviVideoCodec;
    job.aviAudioCodec = s.aviAudioCodec;
    job.mpegAudioBitrate = s.mpegAudioBitrate;
    job.mpegAudioRate = s.mpegAudioRate;
    job.mpegFrameRate = s.mpegFrameRate;
    job.mpegType = s.mpegType;
    job.fileNumber = s.fileNumber;
    job.outputTitle = s.outputTitle;
    job.titleText = s.titleText;
    job.titleCopy = s.titleCopy;
    job.isVob = s.isVob;
    job.isRealMedia = s.isRealMedia;
    job.isVcdDat = s.isVcdDat;
    job.intermediatePath = s.intermediatePath;
    job.partialOutputs = s.partialOutputs;
    job.stateIcon = s.state;
    job.failed = s.failed;
    job.finished = s.finished;
    job.percentDone = s.percentDone;
    job.stage = s.stage;
    job.run.outcome = s.outcome;
    job.outputPath = s.outputPath;
    return job;
}

} // namespace kelvara::liststate
