#include "ProgramLookup.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

// 0 when `path` is a regular file we may run; otherwise ENOENT when there is
// nothing of that name, EACCES when there is something that cannot run.
int ExecutableFileError(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return ENOENT;
    return S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0 ? 0 : EACCES;
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder.empty() ? std::string_view(".") : folder);
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

// Keeps the first answer that found the program, or else the most telling
// reason: a file that cannot run says more than a missing one.
bool Take(ProgramLookup& result, std::string candidate)
{
    const int error = ExecutableFileError(candidate);
    if (error == 0) {
        result = { std::move(candidate), 0 };
        return true;
    }
    if (error == EACCES)
        result.error = EACCES;
    return false;
}

} // namespace

ProgramLookup FindProgram(const std::string& name, const std::string& firstFolder)
{
    ProgramLookup result { {}, ENOENT };
    if (name.empty())
        return result;
    if (name.find('/') != std::string::npos) {
        Take(result, name);
        return result;
    }
    if (!firstFolder.empty() && Take(result, JoinPath(firstFolder, name)))
        return result;
    const char* variable = std::getenv("PATH");
    const std::string_view folders = variable ? variable : kDefaultSearchPath;
    if (folders.empty())
        return result;
    for (std::size_t start = 0;;) {
        const std::size_t colon = folders.find(':', start);
        const std::size_t length = colon == std::string_view::npos ? colon : colon - start;
        if (Take(result, JoinPath(folders.substr(start, length), name)) || colon == std::string_view::npos)
            return result;
        start = colon + 1;
    }
}

} // namespace kelvara
