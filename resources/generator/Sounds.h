// The skin's sounds, synthesised: a soft hover click and a completion chime.
#pragma once

#include <QByteArray>

namespace kelvara::generator {

QByteArray HoverClick();
QByteArray CompletionChime();

} // namespace kelvara::generator
