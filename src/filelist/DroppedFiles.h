// Which source files a drop on the file list adds, and in which order: a
// dropped file as it is (the Add command's "All Files" choice takes any
// file), a dropped folder as its media files in name order. Names keep
// their bytes (PathText). No widgets.
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

namespace kelvara {

// The name patterns of the media files the Add command's filters offer
// ("*.avi", "*.mov", ...), each once, without the catch-all "*" of "All
// Files". `filters` are "Description (*.a *.b)" texts.
QStringList MediaPatterns(const QStringList& filters);

// What the dropped `urls` name, in the drop's order, as PathFromBytes gives
// the paths: a local file as it is, and also a pipe, a socket or a device
// dropped by name, which the Add step refuses with its reason; for a local
// folder, the readable regular files directly in it whose names match
// `patterns` (case-insensitively), in natural name order ("clip 2" before
// "clip 10"). Other URLs, missing or unreadable paths, hidden files and
// sub-folders of a dropped folder add nothing.
QStringList DroppedPaths(const QList<QUrl>& urls, const QStringList& patterns);

// The files a drop adds: DroppedPaths without what the Add step refuses.
QStringList FilesToAdd(const QList<QUrl>& urls, const QStringList& patterns);

} // namespace kelvara
