// One conversion job: a source file and the per-file values its conversion
// needs. A plain value, copied whole out of and back into the JobList.
#pragma once

#include "OptionDefaults.h"
#include "jobs/RunRecord.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvara {

// The job's state, also the index of its icon in the file list's first column.
enum class JobState : std::int32_t {
    Converting = 0,
    Done = 1,
    Stopped = 2,
    Queued = 3,
};

// The conversion stage shown in the Status column. The values are what the
// Status column reads; 2 to 4 are finishing steps that the Status column knows
// how to show but that no converter of ours goes through today.
enum class JobStage : std::int32_t {
    Waiting = 0, // queued, nothing started
    Encoding = 1, // the encoder's main run
    Finishing = 2,
    FinishingLast = 3,
    FinishingExtra = 4,
    AuxiliaryRuns = 5, // a device profile's helper programs after the encoder (PMP muxing)
    MakingIntermediate = 6, // the video-editing component rewrites the source first
    Canceled = 9, // the user stopped the encoder run
};

struct JobRecord {
    std::string sourcePath;
    double trimStartMs = 0.0;
    double trimEndMs = 0.0;
    double positionMs = 0.0;
    std::int32_t outputWidth = 0;
    std::int32_t outputHeight = 0;
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
    double durationMs = 0.0;
    // The option fields below are set when the job is created, from what
    // the AVI and MPEG panels show at that moment.
    double aviFrameRate = kDefaultAviFrameRate;
    std::int32_t aviVideoCodec = 0;
    std::int32_t aviAudioCodec = 0;
    std::int32_t mpegAudioBitrate = kDefaultMpegAudioBitrate;
    std::int32_t mpegAudioRate = kDefaultMpegAudioRate;
    double mpegFrameRate = kDefaultMpegFrameRate;
    std::int32_t mpegType = kDefaultMpegType;
    std::int32_t percentDone = 0;
    JobState stateIcon = JobState::Queued;
    std::string outputTitle;
    std::string titleText;
    std::string titleCopy;
    std::int32_t fileNumber = 0;
    std::int32_t finished = 0;
    std::int32_t encodedSizeKb = 0;
    double encodeRate = 0.0;
    // Media seconds converted per second of waiting, smoothed over the run
    // so far (the encoder's or the component's); 0 until it is measured.
    // The remaining time is the media left at this speed.
    double encodeSpeed = 0.0;
    double encodedSeconds = 0.0;
    JobStage stage = JobStage::Waiting;
    std::int32_t isVob = 0;
    std::int32_t isRealMedia = 0;
    std::int32_t isVcdDat = 0;
    std::string intermediatePath;
    std::int32_t componentDone = 0;
    double componentPosition = 0.0;
    double componentPercent = 0.0;
    double componentRemaining = 0.0;
    // A conversion that could not start or whose engine failed is not
    // reported as finished; its run's record says why.
    bool failed = false;
    // The job's last run: its times, how it ended and the engines' last lines.
    RunRecord run;
    // The file the job's last finished conversion wrote. Kept when the job
    // is queued again: the file stays on disk until a new run replaces it.
    std::string outputPath;
    // What a stopped run of this job left playing: the program's own files,
    // which the job's next run writes over under their names rather than
    // numbering past them. Emptied when a run finishes.
    std::vector<std::string> partialOutputs;

    // True when `path` is a file a stopped run of this job left.
    bool IsOwnPartial(const std::string& path) const
    {
        return std::find(partialOutputs.begin(), partialOutputs.end(), path) != partialOutputs.end();
    }

    // VOB, RealMedia and VCD DAT sources are first rewritten into an
    // intermediate file that the encoder can read.
    bool NeedsIntermediateFile() const { return isVob == 1 || isRealMedia == 1 || isVcdDat == 1; }
    double TrimLengthSeconds() const { return (trimEndMs - trimStartMs) / 1000.0; }

    // Queued again, with no progress: as at creation, or after the output
    // settings change. The trim and the options stay.
    void ClearProgress()
    {
        positionMs = trimStartMs;
        percentDone = 0;
        stateIcon = JobState::Queued;
        finished = 0;
        encodedSizeKb = 0;
        encodeRate = 0.0;
        encodeSpeed = 0.0;
        encodedSeconds = 0.0;
        stage = JobStage::Waiting;
        failed = false;
        run = RunRecord {};
    }
};

} // namespace kelvara
