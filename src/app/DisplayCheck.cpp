#include "app/DisplayCheck.h"

#include <QList>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace kelvara {
namespace {

constexpr int kNoDisplayStatus = 1;

// The platform plugin first warns why it could not connect ("could not
// connect to display :1"), then Qt ends with a fatal message that names no
// cause. The first warning is the reason worth printing; the plugin's
// warnings are held back until it is known whether the start failed, so a
// failure prints one line and a start that works loses none of them.
struct HeldWarning {
    QtMsgType type;
    QByteArray category;
    QString message;
};
QList<HeldWarning> g_pluginWarnings;
QtMessageHandler g_previousHandler = nullptr;

void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool fromPlugin = context.category && QByteArray(context.category).startsWith("qt.qpa");
    if (fromPlugin && type != QtFatalMsg) {
        g_pluginWarnings.append({ type, QByteArray(context.category), message });
        return;
    }
    if (type != QtFatalMsg) {
        g_previousHandler(type, context, message);
        return;
    }
    QString reason = QStringLiteral("the platform plugin could not start");
    const auto warning = std::ranges::find_if(g_pluginWarnings,
        [](const HeldWarning& held) { return held.type != QtInfoMsg && held.type != QtDebugMsg; });
    if (warning != g_pluginWarnings.end())
        reason = warning->message;
    std::fprintf(stderr, "%s\n", DisplayFailureLine(reason).toLocal8Bit().constData());
    std::fflush(stderr);
    // Nothing of the program runs yet: no file of ours to close or remove.
    std::_Exit(kNoDisplayStatus);
}

} // namespace

std::optional<QString> MissingDisplayReason(const EnvironmentReader& environment)
{
    if (!environment("QT_QPA_PLATFORM").isEmpty())
        return std::nullopt;
    if (!environment("DISPLAY").isEmpty() || !environment("WAYLAND_DISPLAY").isEmpty())
        return std::nullopt;
    return QStringLiteral("no X11 or Wayland display is set (DISPLAY)");
}

QString DisplayFailureLine(const QString& reason)
{
    return QStringLiteral("kelvara: cannot open the display: ") + reason;
}

DisplayFailureGuard::DisplayFailureGuard()
{
    g_pluginWarnings.clear();
    // Qt gives back its default handler when none was installed.
    g_previousHandler = qInstallMessageHandler(OnQtMessage);
}

DisplayFailureGuard::~DisplayFailureGuard()
{
    qInstallMessageHandler(g_previousHandler);
    for (const HeldWarning& warning : std::exchange(g_pluginWarnings, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, warning.category.constData());
        g_previousHandler(warning.type, context, warning.message);
    }
    g_previousHandler = nullptr;
}

} // namespace kelvara
