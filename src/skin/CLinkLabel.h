// A text that behaves as a hyperlink: it lights up and underlines under the
// mouse, opens its address with the desktop's handler when clicked, and turns
// to the visited colour once opened.
#pragma once

#include <QColor>
#include <QFont>
#include <QTimer>
#include <QWidget>

namespace kelvara {

namespace platform {
class DesktopShell;
}

class CLinkLabel : public QWidget {
    Q_OBJECT
public:
    enum class Underline { Never = 0, Always = 1, WhileHovering = -1 };
    static constexpr int kHoverTimerMs = 100;

    explicit CLinkLabel(QWidget* parent = nullptr);

    // An empty text shows the address.
    void SetText(const QString& text);
    QString Text() const { return m_text.isEmpty() ? m_url : m_text; }
    void SetURL(const QString& url);
    QString URL() const { return m_url; }
    void SetVisited(bool visited);
    bool IsVisited() const { return m_visited; }
    void SetUnderline(Underline mode);
    bool IsUnderlined() const { return m_font.underline(); }
    bool IsOver() const { return m_over; }
    QColor TextColour() const;
    void SetShell(platform::DesktopShell* shell) { m_shell = shell; }
    // Opens the address; on failure beeps and shows the failure report.
    void OpenLink();

    // "Unable to open hyperlink:" with the reason for an error code.
    static QString FailureReport(int errorCode);

signals:
    void linkFailed(const QString& report);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnHoverTick();
    void EnterHover();
    void ResizeToFit();
    void ApplyFont(bool underlined);

    QString m_text;
    QString m_url;
    QColor m_linkColour = Qt::black;
    QColor m_visitedColour { 85, 26, 139 };
    QColor m_hoverColour { 0, 0, 255 };
    QFont m_font;
    QTimer m_hoverTimer;
    platform::DesktopShell* m_shell = nullptr;
    Underline m_underline = Underline::WhileHovering;
    bool m_over = false;
    bool m_visited = false;
};

} // namespace kelvara
