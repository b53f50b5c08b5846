// The one table of source extensions behind the Add dialog and the desktop
// entry.
#include "jobs/SourceExtensions.h"
#include "filelist/FileListCommands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using namespace kelvara;

namespace {

// The types of the MimeType= line of the shipped desktop entry, in order.
std::vector<std::string> DesktopEntryMimeTypes()
{
    std::ifstream entry(KELVARA_TEST_SOURCE_DIR "/../data/io.kelvara.Kelvara.desktop");
    std::string line;
    while (std::getline(entry, line)) {
        if (!line.starts_with("MimeType="))
            continue;
        std::vector<std::string> types;
        std::istringstream list(line.substr(9));
        for (std::string type; std::getline(list, type, ';');)
            types.push_back(type);
        return types;
    }
    return {};
}

TEST(SourceExtensions, TheDesktopEntryOffersExactlyTheTablesMimeTypesEachOnce)
{
    const std::vector<std::string> entry = DesktopEntryMimeTypes();
    const std::vector<std::string> table = SourceMimeTypes();
    ASSERT_FALSE(entry.empty()) << "no MimeType line in the desktop entry";
    EXPECT_EQ(std::set<std::string>(entry.begin(), entry.end()).size(), entry.size())
        << "a type is listed twice";
    EXPECT_EQ(
        std::set<std::string>(entry.begin(), entry.end()), std::set<std::string>(table.begin(), table.end()))
        << "regenerate the desktop entry's MimeType line from the source table";
}

TEST(SourceExtensions, TheDialogOpensOnEveryExtensionAndListsEachInOneFamily)
{
    const QStringList filters = FileListCommands::AddDialogFilters();
    ASSERT_GE(filters.size(), 3);
    EXPECT_EQ(filters.last(), "All Files (*)");
    const QStringList all = filters.first().section('(', 1).chopped(1).split(' ');
    for (const char* wanted : { "mp4", "mkv", "webm", "mov", "m4v", "ts", "mp3", "flac", "ogg", "wav", "avi",
             "mpg", "wmv", "rmvb", "vob", "3gp", "dat" })
        EXPECT_TRUE(all.contains(QStringLiteral("*.") + wanted)) << wanted;
    for (const SourceExtension& source : SourceExtensions()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(source.extension);
        EXPECT_EQ(all.count(pattern), 1) << source.extension;
        int families = 0;
        for (const QString& filter : filters.mid(1, filters.size() - 2))
            families += filter.section('(', 1).chopped(1).split(' ').count(pattern);
        EXPECT_EQ(families, 1) << source.extension;
    }
}

} // namespace
