// What the Stop button does to a job that the encoder is converting.
#pragma once

namespace kelvara {

struct ConversionContext;
class EncoderRunner;

// Sets the stop flag, marks the current job stopped, asks the encoder to quit
// and removes the partial files that the output kind leaves at this stage,
// and the job's intermediate file.
void StopEncoderJob(ConversionContext& context, EncoderRunner& runner);

} // namespace kelvara
