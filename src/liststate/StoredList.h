// What the saved file list holds: of each job the values a restart needs
// (source, trim, options, state, outputs), and the window's output choice.
// Progress figures, speeds and the engines' output lines are left out, so a
// percentage tick leaves a stored job equal to what it was.
#pragma once

#include "jobs/JobRecord.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kelvara::liststate {

struct StoredJob {
    std::string sourcePath;
    double durationMs = 0.0;
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
    double trimStartMs = 0.0;
    double trimEndMs = 0.0;
    std::int32_t outputWidth = 0;
    std::int32_t outputHeight = 0;
    double aviFrameRate = 0.0;
    std::int32_t aviVideoCodec = 0;
    std::int32_t aviAudioCodec = 0;
    std::int32_t mpegAudioBitrate = 0;
    std::int32_t mpegAudioRate = 0;
    double mpegFrameRate = 0.0;
    std::int32_t mpegType = 0;
    std::int32_t fileNumber = 0;
    std::string outputTitle;
    std::string titleText;
    std::string titleCopy;
    std::int32_t isVob = 0;
    std::int32_t isRealMedia = 0;
    std::int32_t isVcdDat = 0;
    std::string intermediatePath;
    std::vector<std::string> partialOutputs;
    JobState state = JobState::Queued;
    bool failed = false;
    std::int32_t finished = 0;
    // Kept for ended runs only; a converting job's are progress.
    std::int32_t percentDone = 0;
    JobStage stage = JobStage::Waiting;
    std::string outcome;
    std::string outputPath;

    bool operator==(const StoredJob&) const = default;
};

// The window's output choice: the category, its strip's tab, each option
// list's item (by control id) and the output folder. -1: not chosen.
struct WindowChoices {
    int category = -1;
    int tab = -1;
    std::vector<std::pair<int, std::string>> lists;
    std::string outputFolder;

    bool operator==(const WindowChoices&) const = default;
};

// Rows are shared, immutable: a snapshot of ten thousand rows copies
// pointers, not paths.
using StoredRow = std::shared_ptr<const StoredJob>;

struct StoredList {
    WindowChoices window;
    std::vector<StoredRow> jobs;
};

StoredJob ToStored(const JobRecord& job);
// A job as it was stored; what is not stored starts as a new job's.
JobRecord ToJob(const StoredJob& stored);

} // namespace kelvara::liststate
