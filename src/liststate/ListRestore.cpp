#include "liststate/ListRestore.h"

#include "files/LeftoverStagedFiles.h"
#include "files/PrivateFolder.h"

#include <chrono>
#include <sys/stat.h>

namespace kelvara::liststate {
namespace {

bool SourceIsThere(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

RestoredList RestoreList(const StoredList& stored)
{
    RestoredList restored;
    restored.jobs.reserve(stored.jobs.size());
    for (const StoredRow& row : stored.jobs) {
        JobRecord job = ToJob(*row);
        if (job.stateIcon == JobState::Converting) {
            job.ClearProgress();
            ++restored.requeued;
        }
        // A finished row keeps its output whatever became of its source.
        if (job.stateIcon != JobState::Done && !SourceIsThere(job.sourcePath)) {
            // As a failed run leaves a job: not queued, not done.
            job.stateIcon = JobState::Stopped;
            job.finished = 0;
            job.failed = true;
            job.run.Fail(kSourceGoneReason, std::chrono::system_clock::now());
            ++restored.vanished;
        }
        restored.jobs.push_back(std::move(job));
    }
    if (restored.requeued > 0 && !stored.window.outputFolder.empty()) {
        // The folder as the batch keeps it: ending in "/".
        std::string folder = stored.window.outputFolder;
        if (!folder.ends_with('/'))
            folder += '/';
        restored.leftoversRemoved = RemoveLeftoverStagedFiles(folder);
        // A device profile's steps run in a hidden folder of the job's own.
        RemoveLeftoverPrivateFolders(folder);
    }
    return restored;
}

} // namespace kelvara::liststate
