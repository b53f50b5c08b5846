// The trim range's side of the panel: what the slider's notifications do to
// the selected job, and the panel's own loads of the slider.
#include "preview/PreviewPanel.h"

#include "filelist/PathText.h"
#include "skin/CRangeSlider.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kelvara {

namespace {

// A start dragged to the very beginning is stored as 1 ms.
constexpr double kStartAtBeginningMs = 1.0;

// Whole milliseconds, truncated toward zero as a 32-bit integer is.
int WholeMs(double ms)
{
    if (!std::isfinite(ms))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(ms), double(INT_MIN), double(INT_MAX)));
}

// Marks the panel's own updates of the slider for as long as it lives.
class TrimUpdate {
public:
    explicit TrimUpdate(bool& updating)
        : m_updating(updating)
    {
        m_updating = true;
    }
    ~TrimUpdate() { m_updating = false; }
    TrimUpdate(const TrimUpdate&) = delete;
    TrimUpdate& operator=(const TrimUpdate&) = delete;

private:
    bool& m_updating;
};

} // namespace

void PreviewPanel::LoadTrimRange(double durationMs, double startMs, double endMs)
{
    const TrimUpdate updating(m_trimRangeUpdating);
    m_trim->SetMinMax(0.0, durationMs);
    m_trim->SetRange(startMs, endMs);
}

void PreviewPanel::OnTrimRangeChanged(int part, bool final)
{
    const int row = m_host.SelectedRow();
    if (m_host.IsConverting() || row < 0 || m_trimRangeUpdating)
        return;
    double left = m_trim->GetLeft();
    const double right = m_trim->GetRight();
    // Every notification stores the exact values, so the job follows a
    // moving thumb and the arrow keys; only the end of a drag does more.
    const auto store = [&](JobRecord& job) {
        job.trimStartMs = left;
        job.trimEndMs = right;
    };
    if (!final && !m_trim->Model().Tracking()) {
        // A key's change is whole at once: the list shows the new span now,
        // as it does at the end of a drag.
        m_host.UpdateJob(row, store, { JobColumn::SplitSpan });
        return;
    }
    m_host.UpdateJob(row, store, {});
    if (!final)
        return;
    const QString path = PathFromBytes(m_jobs.GetAt(row).sourcePath);
    if (part == 0 || part == 2) {
        if (left <= 0.0)
            left = kStartAtBeginningMs;
        SetTrimFromDrag(row, WholeMs(left), WholeMs(right));
        RequeueJob(row);
        Open(path, left * 0.001);
    } else if (part == 1) {
        SetTrimFromDrag(row, WholeMs(left), WholeMs(right));
        RequeueJob(row);
        Open(path, right * 0.001);
    }
}

void PreviewPanel::SetTrimFromDrag(int index, int startMs, int endMs)
{
    m_host.UpdateJob(index,
        [&](JobRecord& job) {
            job.trimStartMs = startMs;
            job.trimEndMs = endMs;
            job.positionMs = startMs;
        },
        { JobColumn::SplitSpan });
}

// A changed range makes a converted or stopped job wait for the next run;
// the rest of its progress stays until that run resets it.
void PreviewPanel::RequeueJob(int index)
{
    m_host.UpdateJob(index,
        [](JobRecord& job) {
            if (job.stateIcon != JobState::Queued) {
                job.stateIcon = JobState::Queued;
                job.percentDone = 0;
            }
        },
        { JobColumn::Icon, JobColumn::Status });
}

} // namespace kelvara
