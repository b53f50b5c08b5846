#include "DisabledReason.h"

#include <QEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWidget>

namespace kelvara {
namespace {

constexpr const char* kReasonProperty = "kelvaraDisabledReason";

// Sees the clicks a disabled control itself ignores. The reason shows once
// the click is over: its press and its release each close the tooltip
// that is showing.
class PressOnDisabled : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* control = static_cast<QWidget*>(watched);
            if (!control->isEnabled()
                && control->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                QMetaObject::invokeMethod(
                    control, [control] { ShowDisabledReason(control); }, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void SetDisabledReason(QWidget* control, const QString& reason)
{
    if (!control->findChild<PressOnDisabled*>(QString(), Qt::FindDirectChildrenOnly))
        control->installEventFilter(new PressOnDisabled(control));
    const QString before = control->property(kReasonProperty).toString();
    control->setProperty(kReasonProperty, reason);
    control->setToolTip(reason);
    control->setEnabled(reason.isEmpty());
    // A reason still shown would now be wrong.
    if (reason.isEmpty() && !before.isEmpty() && QToolTip::isVisible() && QToolTip::text() == before)
        QToolTip::hideText();
}

QString DisabledReason(const QWidget* control)
{
    return control->isEnabled() ? QString() : control->property(kReasonProperty).toString();
}

bool ShowDisabledReason(QWidget* control)
{
    const QString reason = DisabledReason(control);
    if (reason.isEmpty())
        return false;
    // Under the control, where the pointer or the reader's eye is. The
    // control's area keeps a tip of the same text that is about to close
    // from closing: the tip is taken as a new one.
    QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), reason, control, control->rect());
    return true;
}

} // namespace kelvara
