// Sources and outputs that are not regular files are refused by what they
// are, without opening them for real (a FIFO would wait forever).
#include "files/FileChecks.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

using kelvara::OutputFileProblem;
using kelvara::SourceFileProblem;
using kelvara::testing::TempFolder;

TEST(FileChecks, OnlyRegularFilesAreSourcesAndOnlyTheyOrFreeNamesAreOutputs)
{
    TempFolder folder;
    const std::string file = folder.File("a.mp4");
    const std::string fifo = folder.File("x.mp4");
    std::ofstream(file) << "data";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::string sourceProblem; // "" when it may be read
        std::string outputProblem; // "" when it may be written
    };
    const Case cases[] = {
        { file, "", "" },
        { folder.File("missing.mp4"), "No such file or directory", "" },
        { fifo, "it is a named pipe (FIFO), not a regular file", "it is a named pipe (FIFO)" },
        { folder.Folder(), "Is a directory", "Is a directory" },
        { "/dev/null", "it is a device, not a regular file", "it is a device" },
    };
    for (const Case& c : cases) {
        const std::string source = SourceFileProblem(c.path);
        const std::string output = OutputFileProblem(c.path);
        if (c.sourceProblem.empty())
            EXPECT_EQ(source, "") << c.path;
        else
            EXPECT_EQ(source.find("cannot read '" + c.path + "': " + c.sourceProblem), 0u) << source;
        if (c.outputProblem.empty())
            EXPECT_EQ(output, "") << c.path;
        else
            EXPECT_EQ(output.find("cannot write '" + c.path + "': " + c.outputProblem), 0u) << output;
    }
}
