#include "FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kelvara::fuzz {

namespace {

// Each process (libFuzzer's -jobs, -fork) gets a folder of its own, removed
// at exit so long runs leave nothing behind. Never destroyed: the exit
// handler runs after the destructors of statics made before it was set.
const std::string* g_folder = nullptr;

void RemoveFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(*g_folder, ignored);
}

const std::string& Folder()
{
    if (!g_folder) {
        std::string pattern = "/tmp/kelvara-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            Broken("a temporary folder can be made");
        g_folder = new std::string(pattern + "/");
        std::atexit(RemoveFolder);
    }
    return *g_folder;
}

} // namespace

std::string FuzzFilePath(std::string_view role)
{
    return Folder() + std::string(role);
}

std::string WriteFuzzFile(std::string_view role, std::string_view bytes)
{
    const std::string path = FuzzFilePath(role);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        Broken("the fuzz input can be written to a file");
    return path;
}

void Broken(const char* promise)
{
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

} // namespace kelvara::fuzz
