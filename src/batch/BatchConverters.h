// The converters a batch calls for one job each, on the window's thread;
// each returns when its job is done, failed or stopped and records that in
// the job. The dialog's set is CommandConverters; tests use fakes.
#pragma once

#include "conversions/EncoderConversions.h"

#include <optional>
#include <string>

namespace kelvara {

class BatchConverters {
public:
    virtual ~BatchConverters() = default;

    // The video-editing component's conversions.
    virtual void ConvertWithVideoEdit(int jobIndex, const std::string& outputPath) = 0;
    // True when the intermediate file is ready for the encoder.
    virtual bool MakeIntermediateFile(int jobIndex) = 0;
    // A new batch starts with the component idle.
    virtual void ClearComponentBusy() = 0;

    // The encoder's conversions, one per output kind.
    virtual void ConvertImage(int jobIndex) = 0;
    virtual void ConvertPsp(int jobIndex) = 0;
    virtual void ConvertXboxOrPocketPc(int jobIndex) = 0;
    virtual void ConvertPmp(int jobIndex) = 0;
    virtual void ConvertAudio(int jobIndex) = 0;
    // For jobs that convert side by side: the job made ready for its one
    // encoder command (nothing when it was failed or is gone), and what its
    // run's end means for it. Kinds that cannot run side by side have none.
    virtual std::optional<PreparedEncoderJob> PrepareEncoderJob(int /*jobIndex*/) { return std::nullopt; }
    virtual void FinishEncoderJob(
        int /*jobIndex*/, const PreparedEncoderJob& /*prepared*/, const RunOutcome& /*outcome*/)
    {
    }

    // Stop of an encoder conversion: marks the current job stopped, asks
    // the encoder to quit and removes the partial files.
    virtual void StopEncoderJob() = 0;
};

} // namespace kelvara
