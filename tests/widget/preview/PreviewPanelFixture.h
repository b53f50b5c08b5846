// The preview panel on its own: a fake component, real jobs and a host that
// writes down what the panel asks of the window.
#pragma once

#include "FakePreviewComponent.h"
#include "preview/PreviewPanel.h"

#include <QWidget>
#include <vector>

namespace kelvara::test {

class FakePanelHost : public PreviewPanelHost {
public:
    explicit FakePanelHost(JobList& jobs)
        : m_jobs(jobs)
    {
    }
    bool IsConverting() const override { return converting; }
    int SelectedRow() const override { return m_jobs.Contains(selected) ? selected : -1; }
    bool UpdateJob(int index, const JobList::Change& change, std::initializer_list<JobColumn> redraw) override
    {
        return m_jobs.Update(index, change, [&] { redrawn.insert(redrawn.end(), redraw); });
    }
    void ShowPlayButton(bool play) override { playShown = play; }
    void GoToRow(int row) override
    {
        selected = row;
        rowsShown.push_back(row);
    }

    bool converting = false;
    int selected = -1;
    bool playShown = true;
    std::vector<int> rowsShown;
    std::vector<JobColumn> redrawn;

private:
    JobList& m_jobs;
};

struct PreviewPanelFixture {
    // A job of `path` trimmed to start..end (ms), selected.
    int AddSelectedJob(const std::string& path, double startMs, double endMs)
    {
        JobRecord job;
        job.sourcePath = path;
        job.trimStartMs = startMs;
        job.trimEndMs = endMs;
        host.selected = jobs.Add(job);
        return host.selected;
    }

    QWidget window;
    JobList jobs;
    FakePreviewComponent component;
    FakePanelHost host { jobs };
    PreviewPanel panel { component, jobs, host, &window };
};

} // namespace kelvara::test
