// Runs a program's widget tests inside one offscreen application with the
// skin loaded, as the program itself loads it before any window is made.
#include "SkinPalette.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    LoadSkinPalette();
    return RUN_ALL_TESTS();
}
