// A window with the file list, its commands and a recording dialog.
#pragma once

#include "FakeFileListHost.h"
#include "filelist/FileListCommands.h"
#include "filelist/FileListView.h"
#include "jobs/JobList.h"
#include "jobs/RandomNumbers.h"
#include "skin/CSkinListCtrl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace kelvara {

class FileListFixture : public ::testing::Test {
protected:
    FileListFixture()
    {
        window.resize(780, 320);
        list = new CSkinListCtrl(&window);
        list->setGeometry(15, 20, 720, 135);
        view = new FileListView(*list, jobs, host);
        commands = std::make_unique<FileListCommands>(jobs, host, *view, prober, prober, numbers);
        commands->ConnectList();
        list->AttachScrollBars();
        window.show();
        QApplication::setActiveWindow(&window);
        (void)QTest::qWaitForWindowExposed(&window);
    }

    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QTest::qWait(5);
        }
        return true;
    }

    // Adds files through the commands and waits until every row is there.
    void Add(const QStringList& paths)
    {
        for (const QString& path : paths)
            if (!prober.infos.count(path.toStdString()))
                prober.infos[path.toStdString()] = MediaInfo { true, 10.0, 320, 240 };
        commands->AddFiles(paths);
        ASSERT_TRUE(WaitFor([&] { return !commands->IsAdding(); }));
    }

    QStringList Paths(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths << QStringLiteral("/media/clip%1.mp4").arg(i);
        return paths;
    }

    QPoint CellCentre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }

    QWidget window;
    CSkinListCtrl* list = nullptr;
    FileListView* view = nullptr;
    JobList jobs;
    FakeFileListHost host;
    FakeSourceProber prober;
    RandomNumbers numbers { 7 };
    std::unique_ptr<FileListCommands> commands;
};

} // namespace kelvara
