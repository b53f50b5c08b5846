// A control that is turned off for a reason says that reason: its tooltip
// (which screen readers read as its description) carries it, and a click on
// it or a press through the accessibility bus shows it at once, where a
// disabled control would otherwise do nothing without a word.
#pragma once

#include <QString>

class QWidget;

namespace kelvara {

// An empty reason enables the control again and takes the reason away.
void SetDisabledReason(QWidget* control, const QString& reason);
// The reason of a control disabled by SetDisabledReason; empty otherwise.
QString DisabledReason(const QWidget* control);
// Shows the reason beside the control, when it has one; false when not.
bool ShowDisabledReason(QWidget* control);

} // namespace kelvara
