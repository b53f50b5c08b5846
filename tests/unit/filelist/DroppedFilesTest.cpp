// Which files a drop on the file list adds, and in which order.
#include "filelist/DroppedFiles.h"
#include "filelist/FileListCommands.h"
#include "jobs/SourceExtensions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kelvara;

namespace {

class DroppedFilesTest : public ::testing::Test {
protected:
    QString Make(const std::string& relative)
    {
        const std::filesystem::path path = m_folder.Path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "media";
        return QString::fromStdString(path.string());
    }
    QString Folder(const std::string& relative = {}) const
    {
        return QString::fromStdString((m_folder.Path() / relative).string());
    }
    static QUrl Url(const QString& path) { return QUrl::fromLocalFile(path); }

    const QStringList m_patterns = MediaPatterns(FileListCommands::AddDialogFilters());
    kelvara::testing::TempFolder m_folder;
};

} // namespace

TEST_F(DroppedFilesTest, TheAddCommandsFiltersGiveEveryMediaPatternOnceAndNotTheCatchAll)
{
    QStringList expected;
    for (const SourceExtension& source : SourceExtensions())
        expected << QStringLiteral("*.") + QString::fromLatin1(source.extension);
    EXPECT_EQ(m_patterns, expected);
}

TEST_F(DroppedFilesTest, AFolderBringsTheSoundAndVideoFilesOfEveryKnownExtension)
{
    const QStringList names = { "a.mp3", "b.WEBM", "c.mkv", "d.mov", "e.m4v", "f.ts", "g.flac", "h.ogg",
        "i.wav", "j.mp4", "k.avi", "l.vob" };
    for (const QString& name : names + QStringList { "notes.txt", "cover.jpg" })
        Make("media/" + name.toStdString());
    QStringList found;
    for (const QString& path : FilesToAdd({ Url(Folder("media")) }, m_patterns))
        found << path.section('/', -1);
    EXPECT_EQ(found, names);
}

TEST_F(DroppedFilesTest, AFolderGivesItsMediaFilesInNaturalNameOrderAndNothingElse)
{
    Make("box/clip 10.mp4");
    Make("box/clip 2.MOV");
    Make("box/Alpha.avi");
    Make("box/notes.txt");
    Make("box/.hidden.avi");
    Make("box/inner/deep.avi");
    const QStringList files = FilesToAdd({ Url(Folder("box")) }, m_patterns);
    EXPECT_EQ(
        files, QStringList({ Folder("box/Alpha.avi"), Folder("box/clip 2.MOV"), Folder("box/clip 10.mp4") }))
        << files.join(", ").toStdString();
}

TEST_F(DroppedFilesTest, FilesAndFoldersKeepTheDropsOrderAndAnyDroppedFileCounts)
{
    const QString notes = Make("notes.txt");
    const QString hostile = Make(std::string(kelvara::testing::kHostileName) + ".mpg");
    Make("box/b.vob");
    Make("box/a.3gp");
    const QStringList files = FilesToAdd({ Url(hostile), Url(Folder("box")), Url(notes) }, m_patterns);
    EXPECT_EQ(files, QStringList({ hostile, Folder("box/a.3gp"), Folder("box/b.vob"), notes }))
        << files.join(", ").toStdString();
}

TEST_F(DroppedFilesTest, RemoteMissingAndEmptyDropsAddNothing)
{
    Make("empty/readme.txt");
    EXPECT_TRUE(FilesToAdd({ QUrl("https://example.org/clip.avi") }, m_patterns).isEmpty());
    EXPECT_TRUE(FilesToAdd({ Url(Folder("gone.avi")) }, m_patterns).isEmpty());
    EXPECT_TRUE(FilesToAdd({ Url(Folder("empty")) }, m_patterns).isEmpty());
    EXPECT_TRUE(FilesToAdd({}, m_patterns).isEmpty());
}

TEST_F(DroppedFilesTest, AnUnreadableFileIsNotAdded)
{
    const QString locked = Make("locked.avi");
    std::filesystem::permissions(locked.toStdString(), std::filesystem::perms::none);
    if (std::ifstream(locked.toStdString()).good())
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_TRUE(FilesToAdd({ Url(locked) }, m_patterns).isEmpty());
    EXPECT_TRUE(FilesToAdd({ Url(Folder()) }, m_patterns).isEmpty());
}

TEST_F(DroppedFilesTest, NumbersInNamesCompareByValueAndCaseDoesNotMatter)
{
    for (const char* name : { "b.avi", "A 010.avi", "a 9.avi", "a 9b.avi", "a.avi", "B 1.avi" })
        Make(std::string("n/") + name);
    QStringList names;
    for (const QString& path : FilesToAdd({ Url(Folder("n")) }, m_patterns))
        names << path.section('/', -1);
    EXPECT_EQ(names, QStringList({ "a 9.avi", "a 9b.avi", "A 010.avi", "a.avi", "B 1.avi", "b.avi" }))
        << names.join(", ").toStdString();
}
