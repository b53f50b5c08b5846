// A text that a background picture already shows (the About box's title,
// captions and notices): it draws nothing and tells screen readers what the
// picture says there.
#pragma once

#include <QWidget>

namespace kelvara {

class CPictureText : public QWidget {
    Q_OBJECT
public:
    // `place`: where the picture shows the text, in the parent's pixels.
    CPictureText(const QString& text, const QRect& place, QWidget* parent);
    QString Text() const { return m_text; }

private:
    QString m_text;
};

} // namespace kelvara
