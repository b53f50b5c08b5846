// A temporary folder for one test, removed afterwards. Its name holds the
// characters that file names in the wild hold: blanks, quotes, $, non-ASCII.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvara::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as the program keeps folders: ending in "/".
    std::string Folder() const { return m_path.string() + "/"; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Writes `bytes` to the file `name` in the folder and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

// A name with blanks, both quotes, $, a backslash and non-ASCII letters.
inline const char* kHostileName = "it's a \"très\" $HOME \\ clip";

} // namespace kelvara::testing
