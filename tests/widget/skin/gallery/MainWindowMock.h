// The main window's skin with its controls at their places, as the program
// will lay them out: background and outline from one bitmap.
#pragma once

#include <QWidget>

class CSkinButton;
class CSkinComboBox;

class MainWindowMock : public QWidget {
    Q_OBJECT
public:
    explicit MainWindowMock(QWidget* parent = nullptr);
    CSkinButton* StartButton() const { return m_start; }
    CSkinComboBox* FrameRateCombo() const { return m_frameRate; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void AddButtons();
    void AddSettings();
    void PaintFileList(QPainter& p);
    void PaintSlider(QPainter& p);

    QPixmap m_background;
    QRegion m_outline;
    CSkinButton* m_start = nullptr;
    CSkinComboBox* m_frameRate = nullptr;
};
