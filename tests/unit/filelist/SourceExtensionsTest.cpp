// The one table of source extensions behind the Add dialog and the desktop
// entry.
#include "jobs/SourceExtensions.h"
#include "filelist/FileListCommands.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

TEST(SourceExtensions, TheDesktopEntryOffersExactlyTheTablesMimeTypesEachOnce)
{
    QFile file(KELVARA_TEST_SOURCE_DIR "/../data/io.kelvara.Kelvara.desktop");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList entry = QString::fromUtf8(file.readAll())
                            .section("\nMimeType=", 1)
                            .section('\n', 0, 0)
                            .split(';', Qt::SkipEmptyParts);
    QStringList table;
    for (const std::string& type : SourceMimeTypes())
        table << QString::fromStdString(type);
    ASSERT_FALSE(entry.empty()) << "no MimeType line in the desktop entry";
    entry.sort();
    table.sort();
    EXPECT_EQ(entry, table)
        << "each type once: regenerate the desktop entry's MimeType line from the source table";
}

TEST(SourceExtensions, TheDialogOpensOnEveryExtensionAndListsEachInOneFamily)
{
    const QStringList filters = FileListCommands::AddDialogFilters();
    ASSERT_GE(filters.size(), 3);
    EXPECT_EQ(filters.last(), "All Files (*)");
    const auto patterns = [](const QString& filter) { return filter.section('(', 1).chopped(1).split(' '); };
    const QStringList all = patterns(filters.first());
    for (const char* wanted : { "mp4", "mkv", "webm", "mov", "m4v", "ts", "mp3", "flac", "ogg", "wav", "avi",
             "mpg", "wmv", "rmvb", "vob", "3gp", "dat" })
        EXPECT_TRUE(all.contains(QStringLiteral("*.") + wanted)) << wanted;
    for (const SourceExtension& source : SourceExtensions()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(source.extension);
        int families = 0;
        for (const QString& filter : filters.mid(1, filters.size() - 2))
            families += patterns(filter).count(pattern);
        EXPECT_EQ(all.count(pattern), 1) << source.extension;
        EXPECT_EQ(families, 1) << source.extension;
    }
}

} // namespace
