// Turning a chosen source path into a queued job.
#pragma once

#include "JobRecord.h"
#include "OptionDefaults.h"

#include <string>
#include <string_view>

namespace kelvara {

class JobList;
class MediaProbe;
class RandomNumbers;

// The file name between the last "/" and the last "."; the whole file name
// when it has no ".".
std::string BaseNameOf(std::string_view path);

struct SourceTypeFlags {
    bool isVob = false;
    bool isRealMedia = false;
    bool isVcdDat = false;
};

// Looks at the path from its last "." on, case-sensitively: "rm" anywhere
// there means RealMedia, "dat"/"DAT" a VCD DAT file, "vob"/"VOB" a DVD VOB.
SourceTypeFlags SourceTypeOf(std::string_view path);

// A queued job for `path`, probed for duration and size (a VOB is taken as
// 320x240), with a PSP file number that no job of `jobs` uses, and the AVI
// and MPEG options of `options`. The record is not added to the list.
JobRecord CreateJobRecord(const std::string& path, MediaProbe& probe, RandomNumbers& numbers,
    const JobList& jobs, const JobPanelOptions& options);

} // namespace kelvara
