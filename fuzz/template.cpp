// A device profile's command template with any file names, titles and
// panel selections. The paths inserted between single quotes come back
// unchanged when the command is split into arguments.
#include "FuzzFile.h"
#include "conversions/TemplateSubstitution.h"
#include "process/CommandLine.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using kelvara::fuzz::Broken;

kelvara::SubstitutionContext ContextFrom(FuzzedDataProvider& input)
{
    kelvara::SubstitutionContext context;
    context.outputFolder = input.ConsumeRandomLengthString(64);
    context.device = static_cast<kelvara::DeviceKind>(input.ConsumeIntegralInRange<int>(0, 3));
    context.profileSelection = input.ConsumeIntegral<int>();
    kelvara::DeviceSelections& s = context.selections;
    for (int* selection : { &s.videoSize, &s.videoBitrate, &s.frameRate, &s.audioBitrate, &s.channel,
             &s.aspect, &s.audioSample })
        *selection = input.ConsumeIntegralInRange<int>(-2, 12);
    context.now = { input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
        input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>() };
    return context;
}

kelvara::JobRecord JobFrom(FuzzedDataProvider& input)
{
    kelvara::JobRecord job;
    job.sourcePath = input.ConsumeRandomLengthString(64);
    job.intermediatePath = input.ConsumeRandomLengthString(64);
    job.isVob = input.ConsumeBool() ? 1 : 0;
    job.titleText = input.ConsumeRandomLengthString(64);
    job.outputTitle = input.ConsumeRandomLengthString(64);
    job.fileNumber = input.ConsumeIntegral<int>();
    job.trimStartMs = input.ConsumeFloatingPoint<double>();
    job.trimEndMs = input.ConsumeFloatingPoint<double>();
    return job;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const kelvara::SubstitutionContext context = ContextFrom(input);
    const kelvara::JobRecord job = JobFrom(input);
    const std::string commandTemplate = input.ConsumeRemainingBytesAsString();

    kelvara::SubstituteTemplate(commandTemplate, job, context);

    // The shipped profiles quote every path; whatever the names hold, the
    // arguments are the names.
    const std::string quoted = kelvara::SubstituteTemplate(
        "-i '$INPUT_FILE' '$OUTPUT_DIR$OUTPUT_FILE.mp4' '$TITLE'", job, context);
    const auto arguments = kelvara::SplitCommandLine(quoted);
    const std::string& input_ = job.NeedsIntermediateFile() ? job.intermediatePath : job.sourcePath;
    if (!arguments || arguments->size() < 3 || (*arguments)[1] != input_
        || (*arguments)[2] != context.outputFolder + kelvara::OutputFileName(job, context) + ".mp4")
        Broken("quoted paths come back as single arguments, unchanged");
    return 0;
}
