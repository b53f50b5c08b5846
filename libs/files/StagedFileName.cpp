#include "StagedFileName.h"

#include <sys/random.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr std::string_view kPrefix = ".kelvara-";
constexpr std::string_view kTagLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTagLength = 8;

std::string RandomTag()
{
    unsigned char bytes[kTagLength] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        // Only uniqueness matters here, and O_EXCL guarantees it.
        static unsigned counter = 0;
        const unsigned seed = static_cast<unsigned>(::getpid()) * 7919u + ++counter;
        for (std::size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i % 4 * 8));
    }
    std::string tag;
    for (unsigned char byte : bytes)
        tag += kTagLetters[byte % kTagLetters.size()];
    return tag;
}

} // namespace

std::string NewStagedFileName(std::string_view extension)
{
    return std::string(kPrefix) + RandomTag() + std::string(extension);
}

bool IsStagedFileName(std::string_view name)
{
    if (!name.starts_with(kPrefix) || name.size() < kPrefix.size() + kTagLength)
        return false;
    name.remove_prefix(kPrefix.size());
    for (char c : name.substr(0, kTagLength)) {
        if (kTagLetters.find(c) == std::string_view::npos)
            return false;
    }
    // The extension as ExtensionOf cuts it: a dot and no other dot after it.
    const std::string_view extension = name.substr(kTagLength);
    return extension.empty()
        || (extension.front() == '.' && extension.find('.', 1) == std::string_view::npos
            && extension.find('/') == std::string_view::npos);
}

} // namespace kelvara
