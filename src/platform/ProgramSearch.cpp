#include "ProgramSearch.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara::platform {

namespace {

bool IsExecutableFile(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder.empty() ? std::string_view(".") : folder);
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

} // namespace

std::optional<std::string> FindProgram(const std::string& name, const std::string& toolDirectory)
{
    if (name.empty())
        return std::nullopt;
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? std::optional(name) : std::nullopt;
    if (!toolDirectory.empty()) {
        const std::string candidate = JoinPath(toolDirectory, name);
        if (IsExecutableFile(candidate))
            return candidate;
    }
    const char* pathVariable = std::getenv("PATH");
    std::string_view folders = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = folders.find(':');
        const std::string candidate = JoinPath(folders.substr(0, colon), name);
        if (IsExecutableFile(candidate))
            return candidate;
        if (colon == std::string_view::npos)
            break;
        folders.remove_prefix(colon + 1);
    }
    return std::nullopt;
}

} // namespace kelvara::platform
