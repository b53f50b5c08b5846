// A folder of the running conversion's own inside an output folder: the
// step files and outputs of a multi-step conversion are written there, so
// no step can meet a file of the user's, and only what the conversion itself
// wrote is ever removed. It lives in the output folder's file system, so its
// files move into place with a rename. While it exists the process holds a
// lock on it; a folder left behind by a process that died is recognised by
// its name and by the lock nobody holds, and removed later.
#pragma once

#include "process/UniqueFd.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvara {

class PrivateFolder {
public:
    struct Created;

    // Makes a new hidden folder in `parent` (which ends in "/").
    static Created Create(const std::string& parent);

    PrivateFolder(PrivateFolder&& other) noexcept;
    PrivateFolder& operator=(PrivateFolder&& other) noexcept;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    // Removes the folder with whatever is still in it.
    ~PrivateFolder();

    // The folder's path, ending in "/".
    const std::string& Path() const { return m_path; }

    // Moves every regular file of the folder into `destination` (ending in
    // "/") under its own name, or, when that name is taken, under the first
    // free name numbered before the extension ("clip2.MP4"). Never replaces
    // a file, but for those in `replaceable` (files the same job's stopped
    // run left there). Returns each moved file's new path by its path in
    // this folder.
    std::map<std::string, std::string> MoveFilesInto(
        const std::string& destination, const std::vector<std::string>& replaceable = {});

    // Removes the folder and the files in it.
    void Remove();

private:
    PrivateFolder() = default;

    std::string m_path;
    UniqueFd m_lock;
};

struct PrivateFolder::Created {
    std::optional<PrivateFolder> folder;
    std::string error; // set when folder is empty
};

// Removes the private folders in `parent` that no running process holds
// (left by a program that was killed), with the files in them.
void RemoveLeftoverPrivateFolders(const std::string& parent);

// Moves `from` to `to` only if nothing is named `to` yet; false otherwise.
bool MoveWithoutReplacing(const std::string& from, const std::string& to);

// The first name among `stem + extension`, `stem + "2" + extension`, ...
// for which `taken` is false.
template <typename Taken>
std::string FirstFreeNumberedName(const std::string& stem, const std::string& extension, Taken taken)
{
    std::string candidate = stem + extension;
    for (int n = 2; taken(candidate); ++n)
        candidate.assign(stem).append(std::to_string(n)).append(extension);
    return candidate;
}

} // namespace kelvara
