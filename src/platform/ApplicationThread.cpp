#include "ApplicationThread.h"

#include <QCoreApplication>
#include <QThread>

namespace kelvara::platform {

bool OnApplicationThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application == nullptr || application->thread() == QThread::currentThread();
}

} // namespace kelvara::platform
