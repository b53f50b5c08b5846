// A small skinned dialog that asks for one line of text, such as the name
// under which something is saved: a caption band, a question, a text field
// and OK and Cancel.
#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>

namespace kelvara {

class CSkinButton;
class CSkinLabel;
class CSkinTextField;

class CSkinNamePrompt : public QDialog {
    Q_OBJECT
public:
    CSkinNamePrompt(QWidget* owner, const QString& caption, const QString& question, const QString& start);

    CSkinTextField* Field() const { return m_field; }
    CSkinButton* OkButton() const { return m_ok; }
    CSkinButton* CancelButton() const { return m_cancel; }
    // The text typed, trimmed; empty when the dialog was cancelled.
    QString Answer() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CSkinLabel* m_caption = nullptr;
    CSkinLabel* m_question = nullptr;
    CSkinTextField* m_field = nullptr;
    CSkinButton* m_ok = nullptr;
    CSkinButton* m_cancel = nullptr;
    CSkinButton* m_close = nullptr;
    QPoint m_dragOffset;
};

// Asks modally; nothing when the user cancels or leaves the field empty.
std::optional<QString> AskSkinName(
    QWidget* owner, const QString& caption, const QString& question, const QString& start = QString());

} // namespace kelvara
