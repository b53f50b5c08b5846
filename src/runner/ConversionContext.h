// The state a running batch shares between the dialog, the converters, the
// encoder runner and the stop procedure. Owned by the main dialog.
#pragma once

#include "jobs/JobList.h"
#include "jobs/JobListView.h"
#include "options/OutputKind.h"

#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>

namespace kelvara {

struct ConversionContext {
    ConversionContext(JobList& jobList, JobListView& listView)
        : jobs(jobList)
        , view(listView)
    {
    }

    // Changes job `index` through the list's update and redraws the given
    // cells of its row; nothing for an index that is no longer in the list.
    bool UpdateJob(int index, const JobList::Change& change, std::initializer_list<JobColumn> redraw)
    {
        return jobs.Update(index, change, [&] {
            for (const JobColumn column : redraw)
                view.RedrawCell(index, column);
        });
    }

    JobList& jobs;
    JobListView& view;
    // Set when the user pressed Stop; cleared when a batch starts.
    bool stopFlag = false;
    // Written immediately before each job's conversion (and intermediate step).
    std::uint32_t startTick = 0;
    // Holds the encoder, the auxiliary tools and the profile files; ends in "/".
    std::string toolDirectory;
    // The batch's output folder; ends in "/".
    std::string outputFolder;
    // The output names handed to the batch's jobs, so that two jobs never
    // write one name; emptied when a batch starts.
    std::set<std::string> reservedOutputs;
    // The job the batch is working on, -1 when none.
    int currentJob = -1;
    OutputKind outputKind;
};

} // namespace kelvara
