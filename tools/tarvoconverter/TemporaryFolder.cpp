#include "TemporaryFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kelvara::tarvo {

TemporaryFolder::TemporaryFolder()
{
    const char* configured = std::getenv("TMPDIR");
    std::string pattern = configured && *configured ? configured : "/tmp";
    if (!pattern.ends_with('/'))
        pattern += '/';
    pattern += "tarvoconverter-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) {
        m_error = "cannot make a temporary folder in '" + pattern.substr(0, pattern.rfind('/'))
            + "': " + std::strerror(errno);
        return;
    }
    m_path = std::string(name.data()) + "/";
}

TemporaryFolder::~TemporaryFolder()
{
    if (m_path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace kelvara::tarvo
