// The program's logging categories: the one switch for its diagnostics.
// QT_LOGGING_RULES="kelvara.*.debug=true" shows every category's debug
// messages ("kelvara.process.debug=true" one category's); KELVARA_DEBUG, set
// to anything, is the older shorthand for the same, which scripts rely on.
// The rules win over the shorthand. Without either, debug messages stay
// quiet and the rest show.
#pragma once

#include <QLoggingCategory>

namespace kelvara::platform {

// Starting, reading and stopping programs; their pipes.
Q_DECLARE_LOGGING_CATEGORY(lcProcess)
// The batch: its jobs, their order and outcome.
Q_DECLARE_LOGGING_CATEGORY(lcBatch)
// The preview player and the trim range.
Q_DECLARE_LOGGING_CATEGORY(lcPreview)
// The video-editing component's probing and conversions.
Q_DECLARE_LOGGING_CATEGORY(lcVideoEdit)
// Outputs, intermediate and step files: making, keeping, removing them.
Q_DECLARE_LOGGING_CATEGORY(lcFiles)

} // namespace kelvara::platform
