// The outputs of one run, written by ffmpeg and our picture writers into
// staged files (see StagedOutput) and given their names only when the run
// ended well, so that a failed, empty or killed run leaves no file behind.
#pragma once

#include "RequestParser.h"
#include "files/StagedOutput.h"
#include "process/Spawner.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvara::tarvo {

// Where ffmpeg finds the staged files' descriptors ("/proc/self/fd/40" and
// on); below the spawner's scratch range.
constexpr int kFirstOutputChildFd = 40;

class OutputStaging {
public:
    struct Prepared;

    // Makes a staged file for each output that names a file. `method`
    // HiddenName skips the unnamed files (tests).
    static Prepared Prepare(const Request& request, StagingMethod method = StagingMethod::UnnamedFile);

    // The request as ffmpeg is to see it: each staged output written at its
    // descriptor's name.
    const Request& ForFfmpeg() const { return m_forFfmpeg; }
    // The staged files' descriptors, as ffmpeg's ForFfmpeg() names them.
    std::vector<DescriptorMapping> OutputDescriptors() const;
    // Where this process writes output `index` itself.
    std::string OwnPathOf(std::size_t index) const;

    // The first output that is missing or empty, as its final path.
    std::optional<std::string> FirstEmptyOutput() const;

    // Gives every output its name; returns the reason one failed, empty
    // when all are in place. On failure the outputs not yet named are discarded.
    std::string CommitAll();
    void DiscardAll();

    // Rewrites the names ffmpeg wrote at, in an ffmpeg message, to the names the user gave.
    std::string WithFinalNames(std::string text) const;

private:
    struct Entry {
        std::optional<StagedOutput> staged; // empty for outputs that are not files
        int childFd = -1;
    };

    Request m_forFfmpeg;
    std::vector<Entry> m_entries;
};

struct OutputStaging::Prepared {
    std::optional<OutputStaging> staging;
    std::string error;
};

} // namespace kelvara::tarvo
