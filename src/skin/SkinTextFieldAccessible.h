// The text field as a screen reader sees it: an editable text with its name,
// its text, its caret and its selection, taking whole texts as a paste.
#pragma once

class QAccessibleInterface;
class QWidget;

namespace kelvara {

// `field` must be a CSkinTextField.
QAccessibleInterface* NewTextFieldAccessible(QWidget* field);

} // namespace kelvara
