// The outputs of one run, written by ffmpeg and our picture writers under
// temporary names beside the final ones and moved into place only when the
// run ended well, so that a failed or empty run leaves no file behind.
#pragma once

#include "RequestParser.h"
#include "StagedOutput.h"
#include "process/Spawner.h"
#include "process/UniqueFd.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvara::tarvo {

// ffmpeg's picture writer cuts file names at 1023 bytes; longer paths reach
// it through a descriptor of the output folder instead.
constexpr std::size_t kLongestPicturePath = 1000;
// Where ffmpeg finds those folder descriptors; below the spawner's scratch range.
constexpr int kFirstFolderChildFd = 40;

class OutputStaging {
public:
    struct Prepared;

    // Reserves a temporary file for each output that names a file.
    static Prepared Prepare(const Request& request);

    // The request as ffmpeg is to see it: outputs at their temporary names.
    const Request& ForFfmpeg() const { return m_forFfmpeg; }
    // The folder descriptors ffmpeg needs for long picture paths.
    std::vector<DescriptorMapping> FolderDescriptors() const;

    // Bytes written to the first output so far.
    long long FirstOutputBytes() const;
    // The first output that is missing or empty, as its final path.
    std::optional<std::string> FirstEmptyOutput() const;

    // Moves every output into place; returns the reason one failed, empty
    // when all are in place. On failure nothing is left under a final name
    // that was not committed before.
    std::string CommitAll();
    void DiscardAll();

    // Rewrites temporary names in an ffmpeg message to the names the user gave.
    std::string WithFinalNames(std::string text) const;

private:
    struct Entry {
        std::optional<StagedOutput> staged; // empty for outputs that are not files
        UniqueFd folder; // for a long picture path
        std::string ffmpegPath;
    };

    Request m_forFfmpeg;
    std::vector<Entry> m_entries;
};

struct OutputStaging::Prepared {
    std::optional<OutputStaging> staging;
    std::string error;
};

} // namespace kelvara::tarvo
