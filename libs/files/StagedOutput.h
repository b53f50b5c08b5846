// An output written where no one can mistake it for a finished file, and
// given its final name only when the run ended well: a run leaves either a
// whole output or none.
//
// Where the file system allows, the output is an unnamed file in the final
// path's folder (O_TMPFILE), held by our descriptor: it has no name while it
// is written, so when we die, killed or crashed, it dies with its last
// descriptor. Elsewhere it has a hidden name of our own pattern (see
// StagedFileName.h), locked while pending, which RemoveLeftoverStagedFiles
// clears after a crash. Writers reach it through its descriptor, as
// "/proc/self/fd/N": a child gets the descriptor mapped to a number of its own.
#pragma once

#include "process/UniqueFd.h"

#include <optional>
#include <string>

namespace kelvara {

enum class StagingMethod {
    UnnamedFile, // falls back to HiddenName where the file system refuses it
    HiddenName,
};

class StagedOutput {
public:
    struct Created;

    // Makes the empty file in the final path's folder. Fails, with the
    // system's reason and the folder, when the folder is missing or
    // read-only. `preferred` HiddenName skips the unnamed file (tests).
    static Created Create(const std::string& finalPath, StagingMethod preferred = StagingMethod::UnnamedFile);

    StagedOutput(StagedOutput&& other) noexcept;
    StagedOutput& operator=(StagedOutput&& other) noexcept;
    StagedOutput(const StagedOutput&) = delete;
    StagedOutput& operator=(const StagedOutput&) = delete;
    // Discards the file unless it was committed.
    ~StagedOutput();

    // The name a process reaches its descriptor `fd` by.
    static std::string DescriptorPath(int fd);

    StagingMethod Method() const { return m_method; }
    const std::string& FinalPath() const { return m_finalPath; }
    // Open for reading and writing while pending; -1 after Commit or Discard.
    int Descriptor() const { return m_file.Get(); }
    // The file as this process reaches it: DescriptorPath(Descriptor()).
    std::string OwnPath() const { return DescriptorPath(m_file.Get()); }
    // The folder, ending in "/" (empty for the current one), and, for
    // HiddenName only, the hidden name within it and the two joined.
    const std::string& Folder() const { return m_folder; }
    const std::string& TemporaryName() const { return m_temporaryName; }
    const std::string& TemporaryPath() const { return m_temporaryPath; }

    // The file's size; 0 once it is committed or discarded.
    long long WrittenBytes() const;

    // Gives the file its final name, replacing a file of that name. Returns
    // the reason it failed, empty on success; the file is discarded then.
    std::string Commit();
    void Discard();

private:
    StagedOutput() = default;
    std::string CommitUnnamed();
    std::string CommitHidden();
    std::string LinkUnderHiddenName(std::string& hiddenPath) const;

    std::string m_finalPath;
    std::string m_folder;
    std::string m_extension;
    std::string m_temporaryName;
    std::string m_temporaryPath;
    StagingMethod m_method = StagingMethod::UnnamedFile;
    UniqueFd m_file;
};

struct StagedOutput::Created {
    std::optional<StagedOutput> output;
    std::string error; // set when output is empty
};

} // namespace kelvara
