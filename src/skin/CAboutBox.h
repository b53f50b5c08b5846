// The About box: the product picture, the version, the home page and the
// support address as links, and a close button.
#pragma once

#include "WindowDrag.h"

#include <QDialog>
#include <QPixmap>

namespace kelvara {
class CSkinButton;
class CSkinLabel;

class CLinkLabel;
namespace platform {
class DesktopShell;
}

inline constexpr const char* kHomePageUrl = "https://www.tarvo.test/kelvara/";
inline constexpr const char* kSupportUrl = "mailto:help@tarvo.test";

class CAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 357;
    static constexpr int kHeight = 263;

    CAboutBox(QWidget* mainWindow, const QString& version, platform::DesktopShell* shell = nullptr);

    CLinkLabel* HomePageLink() const { return m_homePage; }
    CLinkLabel* SupportLink() const { return m_support; }
    CSkinButton* CloseButton() const { return m_close; }
    QString VersionText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PlaceOver(const QWidget* mainWindow);

    QPixmap m_background;
    CLinkLabel* m_homePage = nullptr;
    CLinkLabel* m_support = nullptr;
    CSkinLabel* m_version = nullptr;
    CSkinButton* m_close = nullptr;
    WindowDrag m_drag;
};

} // namespace kelvara
