// The animated banner of the main window: plays an animated picture file in a
// loop. A missing or unreadable file leaves the banner empty.
#pragma once

#include <QMovie>
#include <QWidget>

namespace kelvara {

class CBanner : public QWidget {
    Q_OBJECT
public:
    explicit CBanner(QWidget* parent = nullptr);

    // Loads and starts the movie at `path`; false when it cannot be read.
    // Where the skin uses its pictures of twice the size, a movie of twice
    // the size beside it ("Banners@2x.gif" for "Banners.gif") plays instead
    // when there is one.
    bool LoadMovie(const QString& path);
    QString FileName() const { return m_movie.fileName(); }
    bool IsPlaying() const { return m_movie.state() == QMovie::Running; }
    int FrameCount() const { return m_movie.frameCount(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMovie m_movie;
};

} // namespace kelvara
