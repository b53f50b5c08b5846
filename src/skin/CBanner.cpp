#include "CBanner.h"

#include <QPainter>

namespace kelvara {

CBanner::CBanner(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    connect(&m_movie, &QMovie::frameChanged, this, [this] { update(); });
}

bool CBanner::LoadMovie(const QString& path)
{
    m_movie.stop();
    m_movie.setFileName(path);
    if (!m_movie.isValid())
        return false;
    m_movie.start();
    return true;
}

void CBanner::paintEvent(QPaintEvent*)
{
    if (m_movie.state() == QMovie::NotRunning)
        return;
    QPainter p(this);
    p.drawPixmap(rect(), m_movie.currentPixmap());
}

} // namespace kelvara
