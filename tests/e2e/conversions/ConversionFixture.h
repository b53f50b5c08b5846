// Shared set-up of the end-to-end conversion tests: a generated source, a
// job for it, the real tool directory and an output folder with a hostile
// name.
#pragma once

#include "jobs/JobList.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"
#include "support/FixedOptions.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kelvara::testing {

class CountingView : public JobListView {
public:
    void RedrawCell(int row, JobColumn column) override;
    int statusRedraws = 0;
    std::function<void()> onStatusRedraw;
};

class ConversionTest : public ::testing::Test {
protected:
    ConversionTest();

    // A job for a generated clip of `seconds` with the given trim.
    int AddJob(const std::string& name, double seconds, double trimStart, double trimEnd, int width = 160,
        int height = 120);
    JobRecord Job(int index) const { return m_jobs.GetAt(index); }
    // Presses Stop once the encoder has reported progress.
    void StopAfterFirstProgress(std::function<void()> stop);

    TempFolder m_sources;
    TempFolder m_output;
    JobList m_jobs;
    CountingView m_view;
    ConversionContext m_context { m_jobs, m_view };
    EncoderRunner m_runner { m_context };
    FixedOptions m_options;
};

bool ReaderOpens(const std::vector<std::string>& command);

} // namespace kelvara::testing
