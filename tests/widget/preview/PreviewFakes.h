// Stand-ins for the preview panel's component and window, and a panel set up
// with them, for the tests of the panel and of the main window.
#pragma once

#include "preview/PreviewPanel.h"
#include "videoedit/PreviewControl.h"

#include <QWidget>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kelvara::testing {

// The video-editing component as the preview sees it: every call written
// down in order, with its arguments; durations by path.
class FakePreviewComponent : public PreviewControl {
public:
    double GetFileDuration(const std::string& path) override
    {
        Record("GetFileDuration(" + path + ")");
        const auto found = durations.find(path);
        return found == durations.end() ? 0.0 : found->second;
    }
    void SetOutputDepth(std::int16_t depth) override { Record("OutputDepth=" + std::to_string(depth)); }
    bool AddClip(const std::string& path, double start, double end) override
    {
        Record("AddClip(" + path + "," + Number(start) + "," + Number(end) + ")");
        return true;
    }
    bool AddClipEx(const std::string& path, double start, double end, std::int16_t flag) override
    {
        openedAt.emplace_back(path, start);
        Record(
            "AddClipEx(" + path + "," + Number(start) + "," + Number(end) + "," + std::to_string(flag) + ")");
        return true;
    }
    void ClearClips() override { Record("ClearClips"); }
    void StopConvert() override { Record("StopConvert"); }
    bool StartPlay() override
    {
        Record("StartPlay");
        return true;
    }
    void PausePlay() override { Record("PausePlay"); }

    static std::string Number(double value)
    {
        std::ostringstream text;
        text << value;
        return text.str();
    }
    void Record(std::string call) { calls.push_back(std::move(call)); }
    std::vector<std::string> TakeCalls() { return std::exchange(calls, {}); }

    std::map<std::string, double> durations;
    std::vector<std::string> calls;
    // Every AddClipEx's path and exact start (seconds): where the preview opened.
    std::vector<std::pair<std::string, double>> openedAt;
};

// The window as the panel sees it: its jobs, the selected row and the batch
// flag as the test sets them; what the panel asks written down.
class FakePanelHost : public PreviewPanelHost {
public:
    bool IsConverting() const override { return converting; }
    int SelectedRow() const override { return jobs.Contains(selected) ? selected : -1; }
    bool UpdateJob(int index, const JobList::Change& change, std::initializer_list<JobColumn> redraw) override
    {
        return jobs.Update(index, change, [&] { redrawn.insert(redrawn.end(), redraw); });
    }
    void ShowPlayButton(bool play) override { playShown = play; }
    void GoToRow(int row) override { rowsShown.push_back(selected = row); }

    JobList jobs;
    bool converting = false;
    int selected = -1;
    bool playShown = true;
    std::vector<int> rowsShown;
    std::vector<JobColumn> redrawn;
};

struct PreviewPanelFixture {
    // A job of `path` trimmed to start..end (ms), selected.
    void AddSelectedJob(const std::string& path, double startMs, double endMs)
    {
        JobRecord job;
        job.sourcePath = path;
        job.trimStartMs = startMs;
        job.trimEndMs = endMs;
        host.selected = host.jobs.Add(job);
    }

    QWidget window;
    FakePreviewComponent component;
    FakePanelHost host;
    PreviewPanel panel { component, host.jobs, host, &window };
};

} // namespace kelvara::testing
