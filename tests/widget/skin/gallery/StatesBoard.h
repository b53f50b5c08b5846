// Every control of the skin in each of its states, side by side.
#pragma once

#include <QWidget>

namespace kelvara {

class CSkinButton;
class CSkinComboBox;
class CSkinTextField;

class StatesBoard : public QWidget {
    Q_OBJECT
public:
    explicit StatesBoard(QWidget* parent = nullptr);
    // Puts the controls into their states; call once the board is shown.
    void ApplyStates();
    CSkinComboBox* OpenCombo() const { return m_openCombo; }
    // The focused field's blinking caret is in its visible phase.
    bool CaretShown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Row {
        QList<CSkinButton*> buttons; // idle, hover, pressed, checked, disabled
    };
    void AddButtonRow(
        int y, const QString& name, const std::function<CSkinButton*(QWidget*)>& make, bool checkable);
    void AddTabs(int y);
    void AddFields(int y);

    QList<Row> m_rows;
    CSkinComboBox* m_openCombo = nullptr;
    CSkinTextField* m_focusedField = nullptr;
};

} // namespace kelvara
