// What the engine needs of the file list: redrawing one cell of a job's row.
// The list computes the cell's content from the job when it draws it.
#pragma once

namespace kelvara {

enum class JobColumn : int {
    Icon = 0,
    SourceVideo = 1,
    SplitSpan = 2,
    FrameSize = 3,
    OutType = 4,
    Status = 5
};

class JobListView {
public:
    virtual ~JobListView() = default;
    virtual void RedrawCell(int row, JobColumn column) = 0;
};

} // namespace kelvara
