// What is not a file (a pipe no one writes, a socket, a device, a folder) is
// refused before anything opens it, whichever way it is given, with its
// reason in one message; adding never waits on it.
#include "FileListFixture.h"

#include "app/CommandLineFiles.h"
#include "support/TempFolder.h"

#include <QMimeData>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kelvara {
namespace {

class SourceRefusalTest : public FileListFixture {
protected:
    SourceRefusalTest()
    {
        QObject::connect(commands.get(), &FileListCommands::SourcesRefused,
            [this](const QString& message) { messages << message; });
    }
    ~SourceRefusalTest() override
    {
        if (m_socket >= 0)
            ::close(m_socket);
    }

    std::string File(const std::string& relative)
    {
        const std::filesystem::path path = m_folder.Path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "media";
        prober.infos[path.string()] = MediaInfo { true, 3.0, 160, 120 };
        return path.string();
    }
    std::string Fifo(const std::string& relative)
    {
        const std::string path = (m_folder.Path() / relative).string();
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    std::string Socket(const std::string& relative)
    {
        const std::string path = (m_folder.Path() / relative).string();
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        EXPECT_LT(path.size(), sizeof address.sun_path);
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        return path;
    }

    QStringList Sources() const
    {
        QStringList sources;
        for (int i = 0; i < jobs.GetSize(); ++i)
            sources << QString::fromStdString(jobs.GetAt(i).sourcePath);
        return sources;
    }

    // Runs one way of adding, returns how long it took until the list was
    // done, and leaves what it added in Sources() and `messages`.
    std::chrono::milliseconds Timed(const std::function<void()>& add)
    {
        commands->OnClearVideo();
        messages.clear();
        const auto start = std::chrono::steady_clock::now();
        add();
        EXPECT_TRUE(WaitFor([&] { return !commands->IsAdding(); }));
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
    }

    QStringList messages;
    kelvara::testing::TempFolder m_folder;
    int m_socket = -1;
};

TEST_F(SourceRefusalTest, WhatIsNotAFileIsRefusedWithItsReasonAndNeverWaitedOn)
{
    const std::string clip = File("clip.mp4");
    const std::string inside = File("box/inside.avi");
    // In a dropped folder only the files count; the pipe is passed over.
    Fifo("box/pipe.avi");
    struct Case {
        std::string path;
        const char* reason; // nullptr: added
        std::string dropAdds; // a dropped folder adds its media files
    };
    const std::vector<Case> cases = {
        { clip, nullptr, clip },
        { Fifo("pipe.mp4"), "a named pipe (FIFO), not a file", {} },
        { Socket("socket.avi"), "a socket, not a file", {} },
        { "/dev/null", "a device, not a file", {} },
        { m_folder.File("box"), "a folder, not a file", inside },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const QString path = QString::fromStdString(c.path);
        const QStringList added = c.reason ? QStringList {} : QStringList { path };
        const auto expectRefusal = [&](bool refused) {
            ASSERT_EQ(messages.size(), refused ? 1 : 0);
            if (refused) {
                EXPECT_TRUE(messages[0].contains(path + " is " + c.reason)) << messages[0].toStdString();
            }
        };

        const char* argv[] = { "kelvara", c.path.c_str() };
        const CommandLineFiles commandLine = ParseProgramArguments(2, argv);
        EXPECT_LT(
            Timed([&] { commands->AddSources(commandLine.files + commandLine.notFiles); }).count(), 1000);
        EXPECT_EQ(Sources(), added);
        expectRefusal(c.reason != nullptr);

        host.chosen = { path };
        EXPECT_LT(Timed([&] { commands->OnAddVideo(); }).count(), 1000);
        EXPECT_EQ(Sources(), added);
        expectRefusal(c.reason != nullptr);

        QMimeData drop;
        drop.setUrls({ QUrl::fromLocalFile(path) });
        EXPECT_LT(Timed([&] {
            EXPECT_TRUE(commands->CanTakeDrop(drop));
            EXPECT_TRUE(commands->OnListDrop(drop));
        }).count(),
            1000);
        EXPECT_EQ(Sources(),
            c.dropAdds.empty() ? QStringList {} : QStringList { QString::fromStdString(c.dropAdds) });
        expectRefusal(c.dropAdds.empty());
    }
}

} // namespace
} // namespace kelvara
