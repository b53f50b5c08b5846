// Whether a path names something the program can convert: a regular file.
// A named pipe, a socket, a device or a folder would be opened by the probe
// and the encoder, and a pipe that no one writes blocks them forever, so
// they are refused before anything opens them for reading.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace kelvara {

enum class SourceKind {
    File, // a regular file we may read
    Unreadable, // a regular file we may not read
    Missing,
    Folder,
    Pipe,
    Socket,
    Device,
    Other,
};

// Never blocks: the type is read with stat(), and only a regular file is
// opened, without waiting (O_NONBLOCK), to learn whether it can be read.
SourceKind KindOfSource(const std::string& path);

// Why a source of this kind is not added, in a person's words; empty for
// the kinds that are added (a file, and a missing or unreadable one, which
// the probe and the batch report as they do for any file they cannot read).
QString NotAFileReason(SourceKind kind);

struct RefusedSource {
    QString path; // as PathFromBytes gives it
    QString reason;
};

struct SortedSources {
    QStringList toAdd; // in the given order
    std::vector<RefusedSource> refused;
};

// `paths` as PathFromBytes gives them, split into what is added and what
// is refused with its reason.
SortedSources SortSources(const QStringList& paths);

// One message that names every refused source and why.
QString RefusalMessage(const std::vector<RefusedSource>& refused);

} // namespace kelvara
