// A small GIF89a writer for the animated banner: one shared palette, LZW
// compressed frames, looping for ever.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace kelvara::generator {

// All frames share the size of the first; `delayCs` is the time each frame
// shows, in hundredths of a second.
QByteArray EncodeGif(const QList<QImage>& frames, int delayCs);

} // namespace kelvara::generator
