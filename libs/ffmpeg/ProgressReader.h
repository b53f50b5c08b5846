// Reads the progress report that ffmpeg writes with "-progress": blocks of
// key=value lines, each closed by "progress=continue" or "progress=end".
// Text arrives in arbitrary pieces; a line split between two reads counts
// once it is whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

// One block of the report. A value the block lacks or gives as "N/A" keeps
// the one of the block before.
struct ProgressSnapshot {
    std::int64_t frames = 0;
    double quality = 0.0; // the first video stream's q, 0 without video
    std::int64_t sizeBytes = 0; // of the first output
    double seconds = 0.0; // media time written, from the start of the output
    bool timeKnown = false; // this block itself gave a time
    bool finished = false; // ffmpeg's last report
};

class ProgressReader {
public:
    // Takes the next piece of the stream and returns the blocks it
    // completes, in order.
    std::vector<ProgressSnapshot> Feed(std::string_view piece);

    const ProgressSnapshot& Latest() const { return m_latest; }

    // True once the closing block ("progress=end") has been read.
    bool SawEnd() const { return m_latest.finished; }

private:
    void ReadLine(std::string_view line, std::vector<ProgressSnapshot>& completed);

    std::string m_partialLine;
    ProgressSnapshot m_current;
    ProgressSnapshot m_latest;
    bool m_haveQuality = false;
};

} // namespace kelvara
