// The skin's sounds, synthesised: a soft hover click and a completion chime.
#pragma once

#include <QByteArray>

namespace Gen {

QByteArray HoverClick();
QByteArray CompletionChime();

} // namespace Gen
