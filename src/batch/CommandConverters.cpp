#include "CommandConverters.h"

#include "conversions/EncoderConversions.h"
#include "conversions/VideoEditConversions.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"
#include "runner/EncoderStop.h"

namespace kelvara {

CommandConverters::CommandConverters(ConversionContext& context, EncoderRunner& runner,
    VideoEditConversions& component, const OptionSelections& options, DeviceChoiceSource deviceChoice)
    : m_context(context)
    , m_runner(runner)
    , m_component(component)
    , m_options(options)
    , m_deviceChoice(std::move(deviceChoice))
{
}

void CommandConverters::ConvertWithVideoEdit(int jobIndex, const std::string& outputPath)
{
    m_component.ConvertWithVideoEdit(jobIndex, outputPath);
}

bool CommandConverters::MakeIntermediateFile(int jobIndex)
{
    return m_component.MakeIntermediateFile(jobIndex);
}

void CommandConverters::ClearComponentBusy()
{
    m_component.ClearBusy();
}

void CommandConverters::ConvertImage(int jobIndex)
{
    kelvara::ConvertImage(m_context, m_runner, m_options, jobIndex);
}

void CommandConverters::ConvertPsp(int jobIndex)
{
    kelvara::ConvertPsp(m_context, m_runner, m_deviceChoice(), jobIndex);
}

void CommandConverters::ConvertXboxOrPocketPc(int jobIndex)
{
    kelvara::ConvertXboxOrPocketPc(m_context, m_runner, m_deviceChoice(), jobIndex);
}

void CommandConverters::ConvertPmp(int jobIndex)
{
    kelvara::ConvertPmp(m_context, m_runner, m_deviceChoice(), jobIndex);
}

void CommandConverters::ConvertAudio(int jobIndex)
{
    kelvara::ConvertAudio(m_context, m_runner, m_options, jobIndex);
}

std::optional<PreparedEncoderJob> CommandConverters::PrepareEncoderJob(int jobIndex)
{
    if (m_context.outputKind.category == OutputCategory::Audio)
        return PrepareAudio(m_context, m_options, jobIndex);
    if (m_context.outputKind.Is(PcKind::Image))
        return PrepareImage(m_context, m_options, jobIndex);
    return std::nullopt;
}

void CommandConverters::FinishEncoderJob(
    int jobIndex, const PreparedEncoderJob& prepared, const RunOutcome& outcome)
{
    kelvara::FinishEncoderJob(m_context, jobIndex, prepared, outcome);
}

void CommandConverters::StopEncoderJob()
{
    kelvara::StopEncoderJob(m_context, m_runner);
}

} // namespace kelvara
