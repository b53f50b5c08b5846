// The video-editing component's window: shows the player's last picture,
// scaled to fit with its shape kept, on black. It only draws; the player
// tells it when a new picture is there, and learns its size from it.
#pragma once

#include <QImage>
#include <QWidget>

namespace kelvara {

class PreviewView : public QWidget {
    Q_OBJECT

public:
    explicit PreviewView(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }
    // The size, in device pixels, a picture fills without scaling.
    QSize PixelSize() const;

signals:
    void PixelSizeChanged(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_picture;
};

} // namespace kelvara
