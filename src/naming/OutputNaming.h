// The names of every file a conversion writes: final outputs, intermediate
// files and the partial files of multi-step conversions. The builders, the
// stop procedure and the file list's Out Type column all ask here.
#pragma once

#include "jobs/JobRecord.h"
#include "options/OutputKind.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

// Picture types by their list position: 0 GIF animation, then the still
// pictures. Nothing for a position outside the list.
std::optional<std::string_view> PictureExtension(int pictureTypePosition);
std::optional<std::string_view> AudioExtension(int audioKind);

// The names the image and audio kinds would write: the folder, the title and
// the type's extension; empty for an unknown type. The builders number past
// existing files from here.
std::string ImageOutputPath(
    const std::string& outputFolder, const std::string& title, int pictureTypePosition);
std::string AudioOutputPath(const std::string& outputFolder, const std::string& title, int audioKind);

// Every kind avoids existing files and folders, and the names `reserved` for
// other jobs of the batch: "clip.avi", else "clip2.avi", "clip3.avi", ...
// (no separator between the name and the number). No output ever replaces a
// file the batch did not write.
// True when anything, a file, a folder or a dangling link, has this name.
bool NameIsTaken(const std::string& path);

// A name in `replaceable` (what a stopped run of the same job left) counts as
// free although it exists.
std::string NumberedOutputPath(const std::string& basePath, std::string_view extension,
    const std::set<std::string>& reserved = {}, const std::vector<std::string>& replaceable = {});

// The Sony PSP names its files by number: "M4V%05d" for the MPEG-4 profiles
// (positions below 17), "MAQ%05d" for the H.264 ones.
inline constexpr int kFirstPspH264Profile = 17;
std::string PspOutputFileName(int fileNumber, int pspProfilePosition);
// The five-digit number after `fileNumber`, wrapping to the lowest.
int NextPspFileNumber(int fileNumber);

// Where the video-editing component writes the intermediate file of a VOB,
// RealMedia or DAT source: a writable temporary folder, never the program's.
std::string IntermediateFolder();
std::string IntermediatePath(const std::string& folder, const std::string& titleCopy, int number, bool mpeg);
// Removes the intermediate files this process left in `folder` (at exit).
void RemoveIntermediateFilesOfThisProcess(const std::string& folder);

// The PMP conversion writes its video and audio first, then muxes them.
std::string PmpFirstStepVideoPath(const std::string& outputFolder, const std::string& title);
std::string PmpFirstStepAudioPath(const std::string& outputFolder, const std::string& title);
std::string PmpFinalPath(const std::string& outputFolder, const std::string& title);

// The file name shown in the Out Type column for `job` (no folder).
struct OutTypeSelections {
    int pictureTypePosition = 0;
    int pspProfilePosition = 0;
};
std::string OutTypeText(const OutputKind& kind, const JobRecord& job, const OutTypeSelections& selections);

} // namespace kelvara
