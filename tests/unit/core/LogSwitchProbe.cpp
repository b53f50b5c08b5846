// Prints which of the program's logging categories show debug messages
// under the environment it is given; CMakeLists.txt runs it under each
// switch (KELVARA_DEBUG, QT_LOGGING_RULES) and judges the line.
#include "platform/LogCategories.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    const QCoreApplication application(argc, argv); // reads QT_LOGGING_RULES, as the program does
    for (const QLoggingCategory* category :
        { &kelvara::platform::lcProcess(), &kelvara::platform::lcBatch(), &kelvara::platform::lcPreview(),
            &kelvara::platform::lcVideoEdit(), &kelvara::platform::lcFiles() })
        std::printf("%s=%s ", category->categoryName(), category->isDebugEnabled() ? "on" : "off");
    std::printf("\n");
    return 0;
}
