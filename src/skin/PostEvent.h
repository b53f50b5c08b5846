// Posting a notification: the receiver's handler runs later, from the event
// loop, and never if the sender has gone by then.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <utility>

namespace kelvara {

template <typename Sender, typename Emit> void Post(Sender* sender, Emit emitSignal)
{
    QPointer<Sender> guard(sender);
    QMetaObject::invokeMethod(
        sender,
        [guard, emitSignal = std::move(emitSignal)] {
            if (guard)
                emitSignal(guard.data());
        },
        Qt::QueuedConnection);
}

} // namespace kelvara
