// A captioned frame that groups controls of the settings panel.
#pragma once

#include <QWidget>

namespace kelvara {

class CSkinGroupBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxCaption = 256;

    explicit CSkinGroupBox(const QString& caption = QString(), QWidget* parent = nullptr);
    void SetCaption(const QString& caption);
    QString Caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
};

} // namespace kelvara
