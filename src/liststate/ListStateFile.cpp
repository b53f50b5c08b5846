#include "liststate/ListStateFile.h"

#include "files/LeftoverStagedFiles.h"
#include "files/StagedOutput.h"
#include "liststate/ListStateFormat.h"
#include "platform/LogCategories.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvara::liststate {
namespace {

std::string WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return std::strerror(errno);
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0)
        return std::strerror(errno);
    return {};
}

// The rename is durable only once the folder's entry is on the disk.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString SetAsideName(const QString& path)
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss"));
    QString name = path + QStringLiteral(".damaged-") + stamp;
    // Two damaged files within one second: the later is numbered, never
    // written over the earlier.
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + QStringLiteral(".damaged-") + stamp + QStringLiteral("-%1").arg(n);
    return name;
}

} // namespace

QString DefaultListStatePath()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/kelvara/list.json");
}

std::string WriteAtomically(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    StagedOutput::Created created = StagedOutput::Create(path.toStdString());
    if (!created.output)
        return created.error;
    StagedOutput& staged = *created.output;
    std::string error = WriteAll(staged.Descriptor(), bytes);
    if (error.empty())
        error = staged.Commit();
    if (error.empty())
        SyncFolder(staged.Folder());
    return error;
}

ReadList ReadListFile(const QString& path)
{
    // What a write cut short by a crash left under a hidden name.
    RemoveLeftoverStagedFiles(QFileInfo(path).absolutePath().toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    ParsedList parsed = ListFromJson(file.readAll());
    file.close();
    if (parsed.list)
        return { ReadList::Outcome::Read, std::move(*parsed.list), QString(), QString() };
    const QString aside = SetAsideName(path);
    if (!QFile::rename(path, aside))
        qCWarning(platform::lcFiles) << "The saved file list" << path << "could not be set aside";
    qCWarning(platform::lcFiles) << "The saved file list" << path << "could not be read (" << parsed.problem
                                 << "); kept as" << aside;
    return { ReadList::Outcome::SetAside, {}, QFileInfo(aside).fileName(), parsed.problem };
}

} // namespace kelvara::liststate
