// The folders and version the program starts with, and the arguments it takes.
#include "app/ProgramSettings.h"
#include "FakeSettingsStore.h"
#include "app/CommandLineFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kelvara {
namespace {

using MemoryStore = FakeSettingsStore;

TEST(ProgramSettings, MissingSettingsFallBackToTheProgramsToolsFolderHomeAndVersionOne)
{
    const MemoryStore empty;
    const ProgramFolders folders = ReadProgramFolders(empty, "/opt/kelvara", "/home/ann");
    EXPECT_EQ(folders.programDir, "/opt/kelvara/");
    EXPECT_EQ(folders.toolDir, "/opt/kelvara/tools/");
    EXPECT_EQ(folders.outputFolder, "/home/ann/");
    EXPECT_EQ(folders.version, "1.0");
}

TEST(ProgramSettings, StoredValuesWinAndTheOutputFolderGetsItsSlash)
{
    MemoryStore store;
    store.values = { { "SysDir", "/usr/lib/kelvara-tools" }, { "Dir", "/media/out" }, { "Version", "2.5" } };
    const ProgramFolders folders = ReadProgramFolders(store, "/opt/kelvara/", "/home/ann");
    EXPECT_EQ(folders.toolDir, "/usr/lib/kelvara-tools");
    EXPECT_EQ(folders.outputFolder, "/media/out/");
    EXPECT_EQ(folders.version, "2.5");
}

TEST(ProgramSettings, TheChosenFolderIsStoredAsGivenAndAnEmptyOneNotAtAll)
{
    MemoryStore store;
    StoreOutputFolder(store, "");
    EXPECT_TRUE(store.values.empty());
    StoreOutputFolder(store, "/srv/videos");
    EXPECT_EQ(store.values["Dir"], "/srv/videos");
    EXPECT_EQ(ReadProgramFolders(store, "/p", "/h").outputFolder, "/srv/videos/");
}

TEST(CommandLine, ReadableFilesAreKeptInOrderAndEverythingElseIsRejected)
{
    QTemporaryDir dir;
    const QString first = dir.filePath("holiday 'n $fun & més.mp4");
    const QString second = dir.filePath("b.avi");
    for (const QString& path : { first, second }) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const CommandLineFiles result
        = ParseCommandLine({ second, dir.filePath("missing.mp4"), dir.path(), first });
    EXPECT_FALSE(result.showHelp);
    EXPECT_EQ(result.files, QStringList({ second, first }));
    EXPECT_EQ(result.rejected, QStringList({ dir.filePath("missing.mp4"), dir.path() }));
}

TEST(CommandLine, HelpIsRecognised)
{
    EXPECT_TRUE(ParseCommandLine({ "--help" }).showHelp);
    EXPECT_TRUE(ParseCommandLine({}).files.isEmpty());
}

// The desktop passes names only; "--" lets a name that starts with dashes through.
TEST(CommandLine, AfterTwoDashesEverythingIsANameAndTheFirstUnknownOptionIsReported)
{
    QTemporaryDir dir;
    const QString dashed = dir.filePath("--version");
    ASSERT_TRUE(QFile(dashed).open(QIODevice::WriteOnly));
    const CommandLineFiles options = ParseCommandLine({ "--verbose", "--version", "--frobnicate" });
    EXPECT_TRUE(options.showVersion);
    EXPECT_EQ(options.unknownOption, "--verbose");
    const CommandLineFiles names = ParseCommandLine({ "--", dashed, "--help" });
    EXPECT_FALSE(names.showVersion || names.showHelp || !names.unknownOption.isEmpty());
    EXPECT_EQ(names.files, QStringList { dashed });
}

} // namespace
} // namespace kelvara
