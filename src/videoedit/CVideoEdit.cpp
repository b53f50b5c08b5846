#include "CVideoEdit.h"

namespace kelvara {

CVideoEdit::CVideoEdit(QObject* parent)
    : QObject(parent)
{
}

const MediaInfo& CVideoEdit::InfoFor(const std::string& path)
{
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(path, error);
    const std::uintmax_t size = error ? 0 : std::filesystem::file_size(path, error);
    if (error) {
        // Missing or unreadable: nothing to cache, nothing to read.
        static const MediaInfo nothing;
        m_cache.erase(path);
        return nothing;
    }
    auto found = m_cache.find(path);
    if (found != m_cache.end() && found->second.modified == modified && found->second.size == size)
        return found->second.info;
    CachedInfo& entry = m_cache[path];
    entry.modified = modified;
    entry.size = size;
    entry.info = ReadMediaInfo(path);
    return entry.info;
}

double CVideoEdit::GetFileDuration(const std::string& path) { return InfoFor(path).durationSeconds; }

int CVideoEdit::GetFileWidth(const std::string& path) { return InfoFor(path).width; }

int CVideoEdit::GetFileHeight(const std::string& path) { return InfoFor(path).height; }

} // namespace kelvara
