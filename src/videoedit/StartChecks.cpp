#include "StartChecks.h"

#include <QStandardPaths>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kelvara {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFfmpegVariable = "TARVO_FFMPEG";

bool IsExecutableFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

bool IsReadableFile(const std::string& path)
{
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error) && ::access(path.c_str(), R_OK) == 0;
}

bool CanWriteOutput(const std::string& outputPath)
{
    if (outputPath.empty() || outputPath.back() == '/')
        return false;
    std::error_code error;
    fs::path folder = fs::path(outputPath).parent_path();
    if (folder.empty())
        folder = ".";
    if (!fs::is_directory(folder, error) || ::access(folder.c_str(), W_OK | X_OK) != 0)
        return false;
    const fs::file_status status = fs::status(outputPath, error);
    if (status.type() == fs::file_type::not_found)
        return true;
    return status.type() == fs::file_type::regular && ::access(outputPath.c_str(), W_OK) == 0;
}

bool AreSameFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    return fs::equivalent(first, second, error) && !error;
}

std::optional<std::string> FindFfmpeg()
{
    if (const char* chosen = std::getenv(kFfmpegVariable); chosen && *chosen) {
        if (IsExecutableFile(chosen))
            return std::string(chosen);
        return std::nullopt;
    }
    const QString found = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (found.isEmpty())
        return std::nullopt;
    return found.toStdString();
}

} // namespace kelvara
