#include "OutputStaging.h"

#include "OutputFormat.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace kelvara::tarvo {

namespace {

// "-", "pipe:1", /dev/null and the like are written as they are.
bool NamesAFile(const std::string& path)
{
    if (path.empty() || path == "-" || path.starts_with("pipe:") || path.find("://") != std::string::npos)
        return false;
    struct stat info { };
    return ::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

bool IsFfmpegPicture(const OutputRequest& output)
{
    return DescribeOutput(output.path, output.pictureRequested || output.singleFrame).family
        == OutputFamily::FfmpegPicture;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty() || from == to)
        return;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

OutputStaging::Prepared OutputStaging::Prepare(const Request& request)
{
    OutputStaging staging;
    staging.m_forFfmpeg = request;
    for (std::size_t i = 0; i < request.outputs.size(); ++i) {
        Entry entry;
        const OutputRequest& output = request.outputs[i];
        entry.ffmpegPath = output.path;
        if (NamesAFile(output.path)) {
            StagedOutput::Created created = StagedOutput::Create(output.path);
            if (!created.output)
                return { std::nullopt, created.error };
            entry.staged = std::move(created.output);
            entry.ffmpegPath = entry.staged->TemporaryPath();
            if (IsFfmpegPicture(output) && entry.ffmpegPath.size() > kLongestPicturePath) {
                const std::string folder = entry.staged->Folder().empty() ? "." : entry.staged->Folder();
                entry.folder = UniqueFd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
                if (!entry.folder.IsOpen())
                    return { std::nullopt, "cannot open the folder '" + folder + "'" };
                // The child's own view of its descriptor: a short path to the same file.
                entry.ffmpegPath = "/proc/self/fd/"
                    + std::to_string(kFirstFolderChildFd + static_cast<int>(i)) + "/"
                    + entry.staged->TemporaryName();
            }
        }
        staging.m_forFfmpeg.outputs[i].path = entry.ffmpegPath;
        staging.m_entries.push_back(std::move(entry));
    }
    return { std::move(staging), {} };
}

std::vector<DescriptorMapping> OutputStaging::FolderDescriptors() const
{
    std::vector<DescriptorMapping> descriptors;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].folder.IsOpen())
            descriptors.push_back({ kFirstFolderChildFd + static_cast<int>(i), m_entries[i].folder.Get() });
    }
    return descriptors;
}

long long OutputStaging::FirstOutputBytes() const
{
    if (m_entries.empty())
        return 0;
    if (m_entries.front().staged)
        return m_entries.front().staged->WrittenBytes();
    struct stat info { };
    return ::stat(m_entries.front().ffmpegPath.c_str(), &info) == 0 ? static_cast<long long>(info.st_size)
                                                                    : 0;
}

std::optional<std::string> OutputStaging::FirstEmptyOutput() const
{
    for (const Entry& entry : m_entries) {
        if (entry.staged && entry.staged->WrittenBytes() == 0)
            return entry.staged->FinalPath();
    }
    return std::nullopt;
}

std::string OutputStaging::CommitAll()
{
    for (Entry& entry : m_entries) {
        if (!entry.staged)
            continue;
        if (std::string error = entry.staged->Commit(); !error.empty()) {
            DiscardAll();
            return error;
        }
    }
    return {};
}

void OutputStaging::DiscardAll()
{
    for (Entry& entry : m_entries) {
        if (entry.staged)
            entry.staged->Discard();
    }
}

std::string OutputStaging::WithFinalNames(std::string text) const
{
    for (const Entry& entry : m_entries) {
        if (entry.staged) {
            ReplaceAll(text, entry.ffmpegPath, entry.staged->FinalPath());
            ReplaceAll(text, entry.staged->TemporaryPath(), entry.staged->FinalPath());
        }
    }
    return text;
}

} // namespace kelvara::tarvo
