// The one file the list is kept in: its place, its atomic replacement, and
// reading it back, with a file that cannot be read set aside under a dated
// name rather than lost.
#pragma once

#include "liststate/StoredList.h"

#include <QByteArray>
#include <QString>

namespace kelvara::liststate {

// $XDG_STATE_HOME/kelvara/list.json, or ~/.local/state/kelvara/list.json
// where the variable is unset or not an absolute path.
QString DefaultListStatePath();

// Writes `bytes` to `path` as a whole or not at all: a staged file in the
// same folder, flushed to the disk, then given the name. Makes the folder
// when it is missing. Returns why it failed, empty on success.
std::string WriteAtomically(const QString& path, const QByteArray& bytes);

struct ReadList {
    enum class Outcome { None, Read, SetAside };
    Outcome outcome = Outcome::None;
    StoredList list; // empty unless Read
    QString keptAs; // SetAside: the name (without folder) the file now has
    QString problem; // SetAside: why it could not be read
};

// Reads the list back. A missing file is None. A file that cannot be read
// (damaged, not ours, from a newer program) is renamed to
// "<name>.damaged-<UTC date and time>" beside itself and reported.
ReadList ReadListFile(const QString& path);

} // namespace kelvara::liststate
