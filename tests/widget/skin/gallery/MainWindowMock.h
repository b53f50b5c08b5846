// The main window's skin with its controls at the places of the program's
// dialog template: background and outline from one bitmap.
#pragma once

#include <QWidget>
#include <memory>

namespace kelvara {

class CSkinButton;
class CSkinComboBox;
class ControlTable;

class MainWindowMock : public QWidget {
    Q_OBJECT
public:
    explicit MainWindowMock(QWidget* parent = nullptr);
    ~MainWindowMock() override;
    CSkinButton* StartButton() const;
    CSkinComboBox* FrameRateCombo() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintFileList(QPainter& p);
    void PaintSlider(QPainter& p);

    QPixmap m_background;
    QRegion m_outline;
    std::unique_ptr<kelvara::ControlTable> m_controls;
};

} // namespace kelvara
