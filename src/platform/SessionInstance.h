// One window per user session. The first start owns a well-known name on the
// session bus; a later start hands its files to the owner and ends. Without
// a session bus every start keeps its own window.
#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

namespace kelvara::platform {

// Matches the desktop entry's name, as the desktop expects of a bus name.
inline constexpr const char* kSessionServiceName = "io.kelvara.Kelvara";
inline constexpr const char* kSessionObjectPath = "/io/kelvara/Kelvara";

class SessionInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.kelvara.Kelvara")
public:
    enum class Role {
        First, // this process owns the name: it shows the window
        HandedOver, // the running window took the files: this process ends
        Alone, // no bus, or the owner did not answer: a window of its own
    };
    using FileReceiver = std::function<void(const QList<QByteArray>& paths)>;

    explicit SessionInstance(
        QDBusConnection bus, QString serviceName = QString::fromLatin1(kSessionServiceName));
    ~SessionInstance() override;

    // Claims the name, or hands `paths` (file names as bytes, absolute) to
    // the process that holds it. Claiming first and calling only when the
    // claim fails leaves no gap in which two starts both become first.
    Role ClaimOrHandOver(const QList<QByteArray>& paths);

    // Where handed files go. Files that came before a receiver was set are
    // kept and given to it now, so nothing is lost while the window is built.
    void SetReceiver(FileReceiver receiver);

    // Gives the name back while the program ends, so that a start from now
    // on opens a window of its own at once instead of waiting on this one.
    void Release();

public slots:
    // Called over the bus by a later start ("aay": names need not be UTF-8).
    Q_SCRIPTABLE void AddFiles(const QList<QByteArray>& paths);

private:
    QDBusConnection m_bus;
    QString m_serviceName;
    bool m_owner = false;
    FileReceiver m_receiver;
    QList<QList<QByteArray>> m_waiting;
};

} // namespace kelvara::platform
