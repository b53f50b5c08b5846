// Which files a run wrote into a folder: the files whose names begin with a
// prefix are noted before the run and compared after it. A profile decides
// its outputs' names, so a device conversion cannot know them in advance.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kelvara {

class WrittenFiles {
public:
    // Notes the files of `folder` whose names begin with `namePrefix`.
    WrittenFiles(const std::string& folder, const std::string& namePrefix);

    // The paths of the matching files that hold something and that are new,
    // or whose size or write time changed, since the files were noted.
    std::vector<std::string> Written() const;

private:
    struct Stamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type writeTime;
        bool operator==(const Stamp&) const = default;
    };
    std::map<std::string, Stamp> Matching() const;

    std::string m_folder;
    std::string m_prefix;
    std::map<std::string, Stamp> m_before;
};

} // namespace kelvara
