#include "LogCategories.h"

#include <cstdlib>

namespace kelvara::platform {

namespace {

// The level from which a category shows messages before any rule applies.
QtMsgType LeastShownLevel()
{
    return std::getenv("KELVARA_DEBUG") != nullptr ? QtDebugMsg : QtInfoMsg;
}

} // namespace

Q_LOGGING_CATEGORY(lcProcess, "kelvara.process", LeastShownLevel())
Q_LOGGING_CATEGORY(lcBatch, "kelvara.batch", LeastShownLevel())
Q_LOGGING_CATEGORY(lcPreview, "kelvara.preview", LeastShownLevel())
Q_LOGGING_CATEGORY(lcVideoEdit, "kelvara.videoedit", LeastShownLevel())
Q_LOGGING_CATEGORY(lcFiles, "kelvara.files", LeastShownLevel())

} // namespace kelvara::platform
