// What the preview and trim panel needs of the main window: whether a batch
// runs, the selected row, the one way a job changes, the Play and Pause
// buttons, and going to another row. The dialog implements it; tests use a
// recording fake.
#pragma once

#include "jobs/JobList.h"
#include "jobs/JobListView.h"

#include <initializer_list>

namespace kelvara {

class PreviewPanelHost {
public:
    virtual ~PreviewPanelHost() = default;

    // While a batch runs the component converts: the panel leaves it and the
    // jobs alone.
    virtual bool IsConverting() const = 0;
    // The file list's selected row; -1 when none is selected or the mark
    // names no job.
    virtual int SelectedRow() const = 0;
    // Changes job `index` and redraws the given cells of its row; nothing
    // for an index that is no longer in the list.
    virtual bool UpdateJob(int index, const JobList::Change& change, std::initializer_list<JobColumn> redraw)
        = 0;
    // Shows the Play button (true) or the Pause button in its place.
    virtual void ShowPlayButton(bool play) = 0;
    // Makes `row` the current job and shows it as a click on it does:
    // selected, in the option panels, in the trim range and in the preview.
    virtual void GoToRow(int row) = 0;
};

} // namespace kelvara
