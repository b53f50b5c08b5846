// Reads the progress report that ffmpeg writes with "-progress": blocks of
// key=value lines, each closed by "progress=continue" or "progress=end".
// Text arrives in arbitrary pieces; a line split between two reads counts
// once it is whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

class ProgressReader {
public:
    // The output positions, in seconds, of the blocks that this piece of
    // text completes, in order. A block without a known time gives none.
    std::vector<double> Feed(std::string_view text);

    // True once the closing block ("progress=end") has been read.
    bool SawEnd() const { return m_sawEnd; }

private:
    void ReadLine(std::string_view line, std::vector<double>& positions);

    std::string m_partialLine;
    double m_blockSeconds = -1.0; // -1: no time in this block yet
    bool m_sawEnd = false;
};

} // namespace kelvara
