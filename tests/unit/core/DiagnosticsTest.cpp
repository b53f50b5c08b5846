#include "platform/Diagnostics.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(Diagnostics, TheTextNamesTheCallTheCodeAndItsMessage)
{
    EXPECT_EQ(kelvara::platform::FormatDiagnostic("CreatePipe", EMFILE),
        "ERROR:   API         =   CreatePipe.\n"
        "       error   code   =   24.\n"
        "       message         =   Too many open files.\n");
}
