// A window needs a display. Started without one (from a console, by a
// service), the program says why in one line and ends with status 1 rather
// than aborting inside the platform plugin.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace kelvara {

// Reads an environment variable; empty when it is not set.
using EnvironmentReader = std::function<QByteArray(const char* name)>;

// Why no window can open before trying: no platform was asked for and
// neither an X11 nor a Wayland display is named. Nothing when one is.
std::optional<QString> MissingDisplayReason(const EnvironmentReader& environment);

// The line printed on the standard error for `reason`.
QString DisplayFailureLine(const QString& reason);

// While alive, a platform plugin that cannot connect ends the program with
// the plugin's own reason in one line and status 1, instead of an abort.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;
};

} // namespace kelvara
