// The image and audio conversions: build the command, run the encoder, and
// record in the job how the run ended.
#pragma once

namespace kelvara {

struct ConversionContext;
class EncoderRunner;
class OptionSelections;

void ConvertImage(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex);
void ConvertAudio(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex);

} // namespace kelvara
