// ffmpeg's machine-readable progress ("key=value" lines, one block per
// report, each block ending in "progress=continue" or "progress=end").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara::tarvo {

struct ProgressSnapshot {
    std::int64_t frames = 0;
    double quality = 0.0; // the first video stream's q, 0 without video
    std::int64_t sizeBytes = 0; // of the first output
    double seconds = 0.0; // media time written, from the start of the output
    bool finished = false; // ffmpeg's last report
};

class ProgressReader {
public:
    // Takes the next piece of the stream (pieces may split lines anywhere)
    // and returns the reports completed by it.
    std::vector<ProgressSnapshot> Feed(std::string_view piece);

    const ProgressSnapshot& Latest() const { return m_latest; }

private:
    void ApplyLine(std::string_view line, std::vector<ProgressSnapshot>& completed);

    std::string m_partialLine;
    ProgressSnapshot m_current;
    ProgressSnapshot m_latest;
    bool m_haveQuality = false;
};

} // namespace kelvara::tarvo
