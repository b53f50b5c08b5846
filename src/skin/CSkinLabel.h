// A transparent text of one or more lines in the skin's bold font.
#pragma once

#include <QWidget>

namespace kelvara {

class CSkinLabel : public QWidget {
    Q_OBJECT
public:
    enum class Align { Left, Center, Right };
    static constexpr int kMaxLength = 1024;

    explicit CSkinLabel(QWidget* parent = nullptr, Align align = Align::Left);
    CSkinLabel(const QString& text, QWidget* parent, Align align = Align::Left);

    // Lines are separated by "\n"; the text is cut at kMaxLength - 1 characters.
    void SetWindowText(const QString& text);
    QString Text() const { return m_text; }
    int LineCount() const { return m_lineCount; }
    QString GetLine(int index) const;
    void SetEmbossed(bool embossed);
    void SetFontHeight(int height);
    int FontHeight() const { return m_fontHeight; }
    void SetAlign(Align align);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    int m_lineCount = 1;
    Align m_align = Align::Left;
    bool m_embossed = false;
    int m_fontHeight = 12;
};

} // namespace kelvara
