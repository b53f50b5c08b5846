#include "TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace kelvara::testing {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvara test XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = std::filesystem::path(pattern) / "out $dir 'ü'";
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path.parent_path(), ignored);
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const
{
    const std::filesystem::path file = m_path / name;
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
}

} // namespace kelvara::testing
