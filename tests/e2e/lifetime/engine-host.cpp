// Stands in for Kelvara in the lifetime tests: runs one engine the way the
// program does and waits, until the test kills it.
//   engine-host runner TOOLDIR COMMAND    the runner with the encoder
//   engine-host helper TOOLDIR COMMAND    the runner with an auxiliary tool
//   engine-host videoedit SOURCE OUTPUT   the video-editing component (AVI)
// It ignores SIGINT, so that a test can send a terminal's Ctrl-C to its
// process group and see whether the engine got it.
#include "jobs/JobList.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"
#include "videoedit/CVideoEdit.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <string>

using namespace kelvara;

namespace {

class NoView : public JobListView {
public:
    void RedrawCell(int, JobColumn) override { }
};

int RunWithRunner(bool helper, const std::string& toolDirectory, const std::string& command)
{
    JobList jobs;
    NoView view;
    ConversionContext context(jobs, view);
    context.toolDirectory = toolDirectory;
    JobRecord job;
    job.trimEndMs = 60000.0;
    context.currentJob = jobs.Add(job);
    EncoderRunner runner(context);
    const RunOutcome outcome
        = helper ? runner.RunHelperAndWait(command) : runner.RunEncoder(command, context.currentJob);
    return outcome.Succeeded() ? 0 : 1;
}

int RunComponent(const std::string& source, const std::string& output)
{
    CVideoEdit component;
    const CodecList& codecs = component.VideoCodecs();
    for (std::int16_t i = 0; i < codecs.Count(); ++i) {
        if (codecs.Item(i).rfind("H.264", 0) == 0)
            component.SetVideoCodecIndex(i);
    }
    // Large frames: the conversion takes long enough to be killed half-way.
    component.SetOutputWidth(1920);
    component.SetOutputHeight(1080);
    if (!component.AddClip(source, 0.0, 30.0) || !component.StartConvert(output))
        return 2;
    QObject::connect(&component, &CVideoEdit::ConvertComplete, [] { QCoreApplication::exit(0); });
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    std::signal(SIGINT, SIG_IGN);
    if (argc != 4) {
        std::fputs("usage: engine-host runner|helper|videoedit ARG ARG\n", stderr);
        return 2;
    }
    const std::string mode = argv[1];
    if (mode == "runner" || mode == "helper")
        return RunWithRunner(mode == "helper", argv[2], argv[3]);
    if (mode == "videoedit")
        return RunComponent(argv[2], argv[3]);
    return 2;
}
