#include "WrittenFiles.h"

namespace kelvara {

namespace fs = std::filesystem;

WrittenFiles::WrittenFiles(const std::string& folder, const std::string& namePrefix)
    : m_folder(folder)
    , m_prefix(namePrefix)
    , m_before(Matching())
{
}

std::map<std::string, WrittenFiles::Stamp> WrittenFiles::Matching() const
{
    std::map<std::string, Stamp> files;
    std::error_code error;
    for (fs::directory_iterator entry(m_folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code fileError;
        if (!name.starts_with(m_prefix) || !entry->is_regular_file(fileError))
            continue;
        Stamp stamp;
        stamp.size = entry->file_size(fileError);
        stamp.writeTime = entry->last_write_time(fileError);
        if (!fileError)
            files.emplace(entry->path().string(), stamp);
    }
    return files;
}

std::vector<std::string> WrittenFiles::Written() const
{
    std::vector<std::string> written;
    for (const auto& [path, stamp] : Matching()) {
        const auto before = m_before.find(path);
        const bool changed = before == m_before.end() || !(before->second == stamp);
        if (changed && stamp.size > 0)
            written.push_back(path);
    }
    return written;
}

} // namespace kelvara
