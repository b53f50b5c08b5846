// Runs a program's widget tests inside one offscreen application, set up as
// the program sets itself up before any window is made (the skin and its
// accessibility), with the settings kept in a temporary folder.
#include "skin/SkinAccessibility.h"
#include "skin/SkinPalette.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kelvara::InstallSkinAccessibility();
    kelvara::LoadSkinPalette();
    return RUN_ALL_TESTS();
}
