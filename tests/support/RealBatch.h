// A whole batch run without a window: the real BatchDriver over the real
// converters (the encoder in the tool directory and the video-editing
// component), with fakes only for the dialog, the sound, the power-off and
// the sleep lock. What the end-to-end batch tests, the stop storm and the
// batch benchmarks drive.
#pragma once

#include "batch/BatchDriver.h"
#include "batch/CommandConverters.h"
#include "conversions/DeviceConversions.h"
#include "conversions/VideoEditConversions.h"
#include "jobs/JobList.h"
#include "jobs/RandomNumbers.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"
#include "support/BatchFakes.h"
#include "support/FixedOptions.h"
#include "videoedit/CVideoEdit.h"

#include <functional>
#include <string>

namespace kelvara::testing {

// Calls a hook on every redraw of a Status cell: the moments at which a
// test (or the stop storm) presses STOP, as a user would while the list
// moves.
class HookedView : public JobListView {
public:
    void RedrawCell(int row, JobColumn column) override;
    std::function<void()> onStatusRedraw;
};

class RealBatch {
public:
    // `toolDirectory` ends in "/"; `outputFolder` is what the user typed.
    RealBatch(const std::string& toolDirectory, const std::string& outputFolder);

    // Adds a queued job for `path` as the "Add" command makes it: probed,
    // with a fresh PSP file number and the panel's AVI codecs.
    int AddSource(const std::string& path);
    JobRecord Job(int index) const { return jobs.GetAt(index); }
    void SetKind(OutputCategory category, std::int32_t kind) { host.kind = { category, kind }; }

    JobList jobs;
    HookedView view;
    ConversionContext context { jobs, view };
    EncoderRunner runner { context };
    FixedOptions options;
    DeviceChoice device;
    CVideoEdit component;
    RandomNumbers numbers;
    VideoEditConversions conversions { context, component, options, numbers };
    CommandConverters converters { context, runner, conversions, options, [this] { return device; } };
    FakeBatchHost host;
    FakeSound sound;
    FakeShutdown shutdown;
    FakeSleepInhibitor sleep;
    BatchDriver driver { context, host, converters, sound, shutdown, sleep };
};

} // namespace kelvara::testing
