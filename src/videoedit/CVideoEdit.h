// The video-editing component: answers questions about source files, and
// (as it grows) converts to AVI and MPEG, writes intermediate files and plays
// the preview. Its events reach the dialog as signals on the GUI thread.
#pragma once

#include "videoedit/MediaInfo.h"
#include "videoedit/MediaProbe.h"

#include <QObject>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

namespace kelvara {

class CVideoEdit : public QObject, public MediaProbe {
    Q_OBJECT

public:
    explicit CVideoEdit(QObject* parent = nullptr);

    double GetFileDuration(const std::string& path) override;
    int GetFileWidth(const std::string& path) override;
    int GetFileHeight(const std::string& path) override;

private:
    // The file list asks for a source's duration on every row refresh: each
    // file is opened once per version of it (its modification time and size).
    const MediaInfo& InfoFor(const std::string& path);

    struct CachedInfo {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        MediaInfo info;
    };
    std::map<std::string, CachedInfo> m_cache;
};

} // namespace kelvara
