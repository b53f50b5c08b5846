#include "BatchOutputFolder.h"

#include <filesystem>

namespace kelvara {

namespace {

// Cuts a UTF-8 text to `limit` bytes without splitting a character.
void CapAtCharacter(std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

std::string Trimmed(const std::string& text)
{
    constexpr const char* kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<std::string> PrepareOutputFolder(std::string text, const std::string& homeFolder)
{
    CapAtCharacter(text, kOutputFolderLimit);
    // Trimmed before the folder is made: blanks typed around a path are not
    // part of a folder's name.
    std::string folder = Trimmed(text);
    if (folder.empty())
        return std::nullopt;
    if (folder == "~" || folder.starts_with("~/"))
        folder.erase(0, folder.size() == 1 ? 1 : 2);
    if (!folder.starts_with('/'))
        folder.insert(0, homeFolder.ends_with('/') ? homeFolder : homeFolder + "/");
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(folder, error)))
        std::filesystem::create_directory(folder, error);
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace kelvara
