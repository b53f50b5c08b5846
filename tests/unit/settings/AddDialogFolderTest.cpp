// Where the Add dialog opens and how it remembers the folder files came from.
#include "app/AddDialogFolder.h"
#include "FakeSettingsStore.h"
#include "platform/DesktopShell.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kelvara {
namespace {

struct AnsweringDialogs : platform::FileDialogs {
    std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return std::nullopt; }
    QStringList ChooseFiles(QWidget*, const QStringList&, const QString& startFolder) override
    {
        startedAt << startFolder;
        return answer;
    }
    QStringList answer;
    QStringList startedAt;
};

TEST(AddDialogFolder, TheFirstFolderThatStillExistsWins)
{
    QTemporaryDir root;
    const QString last = root.filePath("last"), videos = root.filePath("Videos"),
                  home = root.filePath("home");
    const QString gone = root.filePath("unmounted");
    QDir().mkpath(last);
    QDir().mkpath(videos);
    const struct {
        std::optional<QString> remembered;
        QString videos;
        QString expected;
    } cases[] = {
        { last, videos, last },
        { gone, videos, videos },
        { std::nullopt, videos, videos },
        { gone, root.filePath("no Videos"), home },
        { std::nullopt, QString(), home },
    };
    for (const auto& c : cases) {
        FakeSettingsStore store;
        if (c.remembered)
            store.values[kLastAddFolderKey] = *c.remembered;
        EXPECT_EQ(AddDialogStartFolder(store, c.videos, home), c.expected)
            << c.remembered.value_or("(none)").toStdString() << " / " << c.videos.toStdString();
    }
}

TEST(AddDialogFolder, TheNextDialogOpensWhereTheLastFilesCameFromAndACancelForgetsNothing)
{
    QTemporaryDir root;
    const QString clips = root.filePath("my clips");
    QDir().mkpath(clips);
    FakeSettingsStore store;
    AnsweringDialogs dialogs;
    dialogs.answer = { clips + "/a.mp4", root.filePath("b.mkv") };
    EXPECT_EQ(ChooseSourceFilesRemembered(dialogs, store, nullptr, {}), dialogs.answer);
    dialogs.answer.clear();
    for (int cancelled = 0; cancelled < 2; ++cancelled)
        ChooseSourceFilesRemembered(dialogs, store, nullptr, {});
    EXPECT_EQ(dialogs.startedAt, QStringList({ dialogs.startedAt[0], clips, clips }));
    EXPECT_NE(dialogs.startedAt[0], clips);
}

} // namespace
} // namespace kelvara
