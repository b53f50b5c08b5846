// An output written under a temporary name beside its final name and moved
// over the final name only when the run ended well: a run leaves either a
// whole output or none, and never a partial file under the name a user
// asked for. The temporary name is hidden (leading dot), unique, short, and
// keeps the final name's extension, because writers choose the format by it.
#pragma once

#include <optional>
#include <string>

namespace kelvara {

class StagedOutput {
public:
    struct Created;

    // Reserves the temporary file (empty) in the final path's folder. Fails,
    // with the system's reason and the folder, when the folder is missing or
    // read-only.
    static Created Create(const std::string& finalPath);

    StagedOutput(StagedOutput&& other) noexcept;
    StagedOutput& operator=(StagedOutput&& other) noexcept;
    StagedOutput(const StagedOutput&) = delete;
    StagedOutput& operator=(const StagedOutput&) = delete;
    // Removes the temporary file unless it was committed.
    ~StagedOutput();

    const std::string& FinalPath() const { return m_finalPath; }
    const std::string& TemporaryPath() const { return m_temporaryPath; }
    // The folder, ending in "/", and the temporary file's name within it.
    const std::string& Folder() const { return m_folder; }
    const std::string& TemporaryName() const { return m_temporaryName; }

    // The temporary file's size; 0 when it is missing.
    long long WrittenBytes() const;

    // Moves the temporary file over the final name. Returns the reason it
    // failed, empty on success; the temporary file is removed either way.
    std::string Commit();
    // Removes the temporary file.
    void Discard();

private:
    StagedOutput() = default;

    std::string m_finalPath;
    std::string m_folder;
    std::string m_temporaryName;
    std::string m_temporaryPath;
    bool m_pending = false;
};

struct StagedOutput::Created {
    std::optional<StagedOutput> output;
    std::string error; // set when output is empty
};

} // namespace kelvara
