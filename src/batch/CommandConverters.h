// The converters of src/commands behind the batch's converter interface:
// what START calls in the real program.
#pragma once

#include "batch/BatchConverters.h"
#include "conversions/DeviceConversions.h"

#include <functional>

namespace kelvara {

struct ConversionContext;
class EncoderRunner;
class OptionSelections;
class VideoEditConversions;

class CommandConverters : public BatchConverters {
public:
    // The device panel's choice, read when a device job starts.
    using DeviceChoiceSource = std::function<DeviceChoice()>;

    CommandConverters(ConversionContext& context, EncoderRunner& runner, VideoEditConversions& component,
        const OptionSelections& options, DeviceChoiceSource deviceChoice);

    void ConvertWithVideoEdit(int jobIndex, const std::string& outputPath) override;
    bool MakeIntermediateFile(int jobIndex) override;
    void ClearComponentBusy() override;
    void ConvertImage(int jobIndex) override;
    void ConvertPsp(int jobIndex) override;
    void ConvertXboxOrPocketPc(int jobIndex) override;
    void ConvertPmp(int jobIndex) override;
    void ConvertAudio(int jobIndex) override;
    std::optional<PreparedEncoderJob> PrepareEncoderJob(int jobIndex) override;
    void FinishEncoderJob(
        int jobIndex, const PreparedEncoderJob& prepared, const RunOutcome& outcome) override;
    void StopEncoderJob() override;

private:
    ConversionContext& m_context;
    EncoderRunner& m_runner;
    VideoEditConversions& m_component;
    const OptionSelections& m_options;
    DeviceChoiceSource m_deviceChoice;
};

} // namespace kelvara
