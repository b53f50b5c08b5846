// The graphics card encoders, found once at start on a thread of their own,
// so the window never waits for ffmpeg's trials; the dialog learns them on
// its own thread when they are known.
#pragma once

#include <thread>

namespace kelvara {

class CConverterDlg;

class HardwareDetectionAtStart {
public:
    // Starts once the dialog has painted its first picture, so the trials do
    // not compete with the start itself. Must end before the dialog does.
    explicit HardwareDetectionAtStart(CConverterDlg& dialog);
    // Ends a detection still running (its ffmpeg is ended) and waits for
    // its thread; what it would have found is not told.
    ~HardwareDetectionAtStart() = default;
    HardwareDetectionAtStart(const HardwareDetectionAtStart&) = delete;
    HardwareDetectionAtStart& operator=(const HardwareDetectionAtStart&) = delete;

private:
    std::jthread m_thread;
};

} // namespace kelvara
