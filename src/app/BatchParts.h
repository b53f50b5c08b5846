// What the batch run behind START and STOP is made of, each part built on
// the ones before it: the state the batch shares, the encoder runner, the
// video-editing component's conversions, the converters and the driver.
#pragma once

#include "batch/BatchDriver.h"
#include "batch/CommandConverters.h"
#include "conversions/VideoEditConversions.h"
#include "platform/ShutdownService.h"
#include "platform/SleepInhibitor.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

namespace kelvara {

class RandomNumbers;
namespace platform {
class SoundPlayer;
}
class VideoEditControl;

// What a batch reaches outside the dialog; a slot left empty gets the
// program's own part (the converters) or a harmless one (no power-off, no
// sleep lock), so that no test can power the machine off.
struct BatchServices {
    platform::SoundPlayer& sound;
    platform::ShutdownService* shutdown = nullptr;
    platform::SleepInhibitor* sleep = nullptr;
    BatchConverters* converters = nullptr;
};

// Refuses the power-off: the dialog was given no way to turn the computer off.
class NoShutdown : public platform::ShutdownService {
public:
    platform::ShutdownResult PowerOff() override { return { false, "No power-off service." }; }
};

class NoSleepInhibitor : public platform::SleepInhibitor {
public:
    void KeepAwake() override { }
    void Release() override { }
};

struct BatchParts {
    BatchParts(JobList& jobs, JobListView& view, const std::string& toolDirectory,
        VideoEditControl& component, const OptionSelections& options,
        CommandConverters::DeviceChoiceSource deviceChoice, RandomNumbers& numbers, BatchHost& host,
        const BatchServices& services)
        : ctx(jobs, view)
        , runner(ctx)
        , conv(ctx, component, options, numbers)
        , converters(ctx, runner, conv, options, std::move(deviceChoice))
        , driver(ctx, host, services.converters ? *services.converters : converters, services.sound,
              services.shutdown ? *services.shutdown : noShutdown, services.sleep ? *services.sleep : noSleep)
    {
        ctx.toolDirectory = toolDirectory;
    }

    ConversionContext ctx;
    EncoderRunner runner;
    VideoEditConversions conv;
    CommandConverters converters;
    NoShutdown noShutdown;
    NoSleepInhibitor noSleep;
    BatchDriver driver;
};

} // namespace kelvara
