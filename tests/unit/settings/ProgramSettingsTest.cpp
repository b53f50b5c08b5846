// The folders and version the program starts with, and the arguments it takes.
#include "app/ProgramSettings.h"
#include "FakeSettingsStore.h"
#include "app/CommandLineFiles.h"
#include "app/DisplayCheck.h"

#include <map>

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

TEST(CommandLine, OptionsAreToldFromNames)
{
    QTemporaryDir dir;
    const QString dashed = dir.filePath("--odd name.mp4");
    QFile file(dashed);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    struct Case {
        QStringList arguments;
        bool version;
        QString unknown;
        QStringList files;
    };
    const Case cases[] = {
        { { "--version" }, true, "", {} },
        { { "--verbose", "--version", "--frobnicate" }, true, "--verbose", {} },
        // After "--" everything is a name, also what looks like an option.
        { { "--", dashed }, false, "", { dashed } },
        { { "--", "--version" }, false, "", {} },
    };
    for (const Case& c : cases) {
        const CommandLineFiles result = ParseCommandLine(c.arguments);
        EXPECT_EQ(result.showVersion, c.version) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(result.unknownOption, c.unknown) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(result.files, c.files) << c.arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(VersionLine().startsWith("kelvara ")) << VersionLine().toStdString();
}

TEST(DisplayCheck, OnlyAStartWithNoDisplayAndNoPlatformAskedForIsRefusedBeforeTrying)
{
    struct Case {
        std::map<std::string, QByteArray> environment;
        bool refused;
    };
    const Case cases[] = {
        { {}, true },
        { { { "DISPLAY", "" }, { "WAYLAND_DISPLAY", "" } }, true },
        { { { "DISPLAY", ":0" } }, false },
        { { { "WAYLAND_DISPLAY", "wayland-0" } }, false },
        { { { "QT_QPA_PLATFORM", "offscreen" } }, false },
    };
    for (const Case& c : cases) {
        const auto reason = MissingDisplayReason([&c](const char* name) {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? QByteArray() : found->second;
        });
        EXPECT_EQ(reason.has_value(), c.refused) << c.environment.size();
        if (reason)
            EXPECT_EQ(DisplayFailureLine(*reason),
                "kelvara: cannot open the display: no X11 or Wayland display is set (DISPLAY)");
    }
}

} // namespace
} // namespace kelvara
