#include "CBanner.h"

#include "SkinPalette.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace kelvara {

namespace {
QString FinerSibling(const QString& path)
{
    const QFileInfo file(path);
    const QString suffix = file.completeSuffix();
    const QString name
        = file.baseName() + QStringLiteral("@2x") + (suffix.isEmpty() ? QString() : "." + suffix);
    return file.dir().filePath(name);
}
} // namespace

CBanner::CBanner(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    connect(&m_movie, &QMovie::frameChanged, this, [this] { update(); });
}

bool CBanner::LoadMovie(const QString& path)
{
    m_movie.stop();
    const QString finer = Skin().pixelRatio >= 2 ? FinerSibling(path) : QString();
    m_movie.setFileName(!finer.isEmpty() && QFileInfo::exists(finer) ? finer : path);
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
