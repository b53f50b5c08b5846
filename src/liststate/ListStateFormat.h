// The saved file list as JSON, read and written with Qt's own classes.
//
//   {
//     "version": 1,
//     "window": { "category": 0, "tab": 2, "outputFolder": "/home/u/Videos",
//                 "lists": [ { "control": 1041, "item": "128 kbps" }, ... ] },
//     "jobs": [ { "source": "/home/u/a.mkv", "durationMs": 61000,
//                 "sourceSize": [1920, 1080], "trimMs": [1500, 30000],
//                 "outputSize": [640, 360],
//                 "avi": { "frameRate": 25, "videoCodec": 0, "audioCodec": 1 },
//                 "mpeg": { "type": 0, "frameRate": 25, "audioBitrate": 224,
//                           "audioRate": 48000 },
//                 "fileNumber": 0, "outputTitle": "", "titleText": "",
//                 "titleCopy": "", "sourceKind": { "vob": 0, "realMedia": 0,
//                 "vcdDat": 0 }, "intermediate": "", "partialOutputs": [],
//                 "state": "queued" | "converting" | "done" | "stopped",
//                 "failed": false, "finished": 0, "percent": 0, "stage": 9,
//                 "outcome": "failed: <reason>", "output": "/home/u/a.mp4" },
//               ... ] }
//
// Fields a job lacks take a new job's values. A file whose root is not an
// object, whose version is missing or newer than kListStateVersion, or
// whose jobs are not objects with a source, cannot be read (the caller sets
// it aside); a bump of the version is for changes an older program would
// misread.
#pragma once

#include "liststate/StoredList.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kelvara::liststate {

inline constexpr int kListStateVersion = 1;

QByteArray ListToJson(const StoredList& list);

struct ParsedList {
    std::optional<StoredList> list; // empty when the text cannot be read
    QString problem; // why, for the log
};
ParsedList ListFromJson(const QByteArray& text);

} // namespace kelvara::liststate
