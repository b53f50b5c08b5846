// Recording in a job how its conversion ended.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

struct ConversionContext;
struct RunOutcome;

// Marks the job converting and redraws its icon; false when the job is no
// longer in the list (the conversion then has nothing to do). Its run record
// starts afresh unless the run is going already (after its intermediate step).
bool MarkJobConverting(ConversionContext& context, int jobIndex);

// A run that could not start or failed, or an output that is missing or
// empty, is a failure with its reason; nothing for a good run.
std::string FailureOf(const RunOutcome& outcome, const std::string& expectedOutput);

// Marks the job failed with its reason: it is not converted, and its run
// record ends with "failed: <reason>", which the list shows.
void MarkJobFailed(ConversionContext& context, int jobIndex, const std::string& reason);

// What a done job shows in its Status column besides its done icon: the
// encoder's conversions mark it finished, the video-editing component's set
// its percentage to 100, a device conversion leaves the status as it is.
enum class DoneStatus { Unchanged, Finished, FullPercentage };

// `outputPath` names the file the conversion wrote, so the user can play
// it from the list; empty when it is not known.
void MarkJobDone(
    ConversionContext& context, int jobIndex, DoneStatus status, const std::string& outputPath = {});

bool FileHasContent(const std::string& path);

// Adds an engine's or a step's last lines to the job's run record.
void KeepRunOutput(ConversionContext& context, int jobIndex, std::string_view lines);

// A stopped run's outputs that hold something are the job's own partial
// files: its next run takes their names again.
void RememberPartialOutputs(ConversionContext& context, int jobIndex, const std::vector<std::string>& paths);

} // namespace kelvara
