// Recording in a job how its conversion ended.
#pragma once

#include <string>

namespace kelvara {

struct ConversionContext;
struct RunOutcome;

// Marks the job converting and redraws its icon.
void MarkJobConverting(ConversionContext& context, int jobIndex);

// A run that could not start or failed, or an output that is missing or
// empty, is a failure with its reason; nothing for a good run.
std::string FailureOf(const RunOutcome& outcome, const std::string& expectedOutput);

// Marks the job failed with its reason: it is not converted, and the list
// shows why.
void MarkJobFailed(ConversionContext& context, int jobIndex, const std::string& reason);

// Marks the job done (the icon), and finished when `finished` (the status).
void MarkJobDone(ConversionContext& context, int jobIndex, bool finished);

bool FileHasContent(const std::string& path);

} // namespace kelvara
