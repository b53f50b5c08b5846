// Which source files a drop on the file list adds, and in which order: a
// dropped file as it is (the Add command's "All Files" choice takes any
// file), a dropped folder as its media files in name order. No widgets.
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

namespace kelvara {

// The name patterns of the media files the Add command's filters offer
// ("*.avi", "*.mov", ...), each once, without the catch-all "*" of "All
// Files". `filters` are "Description (*.a *.b)" texts.
QStringList MediaPatterns(const QStringList& filters);

// The files to add for the dropped `urls`, in the drop's order: a readable
// local file as it is; for a local folder, the readable files directly in
// it whose names match `patterns` (case-insensitively), in natural name
// order ("clip 2" before "clip 10"). Other URLs, missing paths and
// sub-folders of a dropped folder add nothing.
QStringList FilesToAdd(const QList<QUrl>& urls, const QStringList& patterns);

} // namespace kelvara
