// What the program asks of a source file before it becomes a job: its length
// and picture size. The video-editing component answers; tests use fakes.
#pragma once

#include <string>

namespace kelvara {

class MediaProbe {
public:
    virtual ~MediaProbe() = default;
    // Seconds; 0 for a file that cannot be read.
    virtual double GetFileDuration(const std::string& path) = 0;
    // Pixels; 0 for a file without pictures or that cannot be read.
    virtual int GetFileWidth(const std::string& path) = 0;
    virtual int GetFileHeight(const std::string& path) = 0;
};

} // namespace kelvara
