#include "support/FileContents.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelvara::testing {

std::string FileContents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

std::size_t EntriesIn(const std::string& folder)
{
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        ++count;
    return count;
}

} // namespace kelvara::testing
