// Shared set-up of the runner tests: a job list, a view that records redraws,
// and a tool directory whose encoder is the fake-encoder script.
#pragma once

#include "jobs/JobList.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kelvara::testing {

class RecordingView : public JobListView {
public:
    void RedrawCell(int row, JobColumn column) override;

    int statusRedraws = 0;
    int iconRedraws = 0;
    // Runs on every status redraw, as a handler that runs while the runner
    // services the window would (for example the Stop button).
    std::function<void()> onStatusRedraw;
};

class RunnerTest : public ::testing::Test {
protected:
    RunnerTest();

    // The fake encoder, installed in the tool directory as "tarvoconverter".
    std::string Encoder(const std::string& arguments) const { return "tarvoconverter " + arguments; }
    std::string Quoted(const std::string& text) const;
    bool FileHolds(const std::string& path, const std::string& text) const;

    TempFolder m_tools;
    TempFolder m_work;
    JobList m_jobs;
    RecordingView m_view;
    ConversionContext m_context { m_jobs, m_view };
    EncoderRunner m_runner { m_context };
    int m_job = 0;
};

} // namespace kelvara::testing
