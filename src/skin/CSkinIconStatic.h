// A 32 x 32 icon drawn over whatever is behind it.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace kelvara {

class CSkinIconStatic : public QWidget {
    Q_OBJECT
public:
    explicit CSkinIconStatic(QWidget* parent = nullptr);
    void SetIcon(const QPixmap& icon);
    const QPixmap& Icon() const { return m_icon; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_icon;
};

} // namespace kelvara
