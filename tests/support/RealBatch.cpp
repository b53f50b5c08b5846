#include "support/RealBatch.h"

#include "jobs/JobCreation.h"
#include "jobs/OptionDefaults.h"

#include <QObject>

namespace kelvara::testing {

void HookedView::RedrawCell(int, JobColumn column)
{
    if (column == JobColumn::Status && onStatusRedraw)
        onStatusRedraw();
}

RealBatch::RealBatch(const std::string& toolDirectory, const std::string& outputFolder)
{
    context.toolDirectory = toolDirectory;
    host.folderText = outputFolder;
    // The dialog forwards the component's events to the conversions.
    QObject::connect(&component, &CVideoEdit::ConvertComplete, [this] { conversions.OnVideoEditComplete(); });
    QObject::connect(&component, &CVideoEdit::ConvertProgress,
        [this](double position, double total) { conversions.OnVideoEditProgress(position, total); });
}

int RealBatch::AddSource(const std::string& path)
{
    const JobRecord job = CreateJobRecord(
        path, component, numbers, jobs, DefaultAviCodecs(component.VideoCodecs(), component.AudioCodecs()));
    return jobs.Add(job);
}

} // namespace kelvara::testing
