// What a saved list looks like when it comes back: a job that was
// converting when the program ended is queued again and the staged output
// its run left is removed; a job whose source has vanished since is marked
// failed, with the reason in its row.
#pragma once

#include "jobs/JobRecord.h"
#include "liststate/StoredList.h"

#include <vector>

namespace kelvara::liststate {

inline constexpr const char* kSourceGoneReason = "The source file is gone.";

struct RestoredList {
    std::vector<JobRecord> jobs;
    int requeued = 0; // jobs interrupted mid-conversion
    int vanished = 0; // jobs whose source is gone
    int leftoversRemoved = 0; // staged outputs of the interrupted runs
};

// Only files and folders of the program's own hidden patterns in the output
// folder (staged outputs, the hidden step folders of unlocked dead runs)
// are removed, and only when a run was interrupted: a user's file is never
// touched, whatever its name.
RestoredList RestoreList(const StoredList& stored);

} // namespace kelvara::liststate
