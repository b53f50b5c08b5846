// What the skinned list asks its owner for every cell it paints: the text,
// the image, the progress bar and the colours. The list fills the defaults
// and the computed fields (row, column, selected, hot) before it asks.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace kelvara {

// A row of equally wide icons in one bitmap, white being transparent.
class SkinImageList {
public:
    SkinImageList() = default;
    SkinImageList(const QPixmap& strip, int iconWidth);

    // In the coordinates the icons are drawn in, whatever the strip's pixel ratio.
    int Count() const { return m_iconWidth > 0 ? StripSize().width() / m_iconWidth : 0; }
    int IconWidth() const { return m_iconWidth; }
    int IconHeight() const { return StripSize().height(); }
    // Icon `index`, with the transparent parts showing `background`.
    QPixmap Icon(int index) const;

private:
    QSize StripSize() const { return m_strip.deviceIndependentSize().toSize(); }

    QPixmap m_strip; // with an alpha channel where the bitmap was white
    int m_iconWidth = 0;
};

struct ListCellInfo {
    QString text; // every "&" shows literally
    bool ignoreSelection = false;
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft; // the column's alignment by default
    // A text too wide for its cell loses its end; a path loses the middle of
    // its folders instead, so the file name stays whole.
    bool pathEllipsis = false;
    int imageIndex = -1; // -1: no image
    const SkinImageList* imageList = nullptr;
    bool imageOnUnselected = true;
    bool centreImage = false;
    bool checked = false;
    bool hasCheckBox = false;
    bool centreCheckBox = false;
    bool checkOnUnselected = true;
    int progressMax = -1; // below 1: no progress bar
    int progressPos = 0;
    QColor progressTextColour; // invalid colours mean the system's defaults
    int progressInset = 10; // non-zero: the bar sits 2 pixels inside its frame
    QColor textColour, backColour, hotTextColour, selTextColour, selBackFocused, selBackUnfocused;
    // For screen readers: a text for a cell that shows only a picture, and
    // a description of the row (why a job failed).
    QString accessibleText;
    QString description;

    int row = 0;
    int column = 0;
    bool selected = false;
    bool hot = false; // the list swallows mouse moves, so no row becomes hot
};

} // namespace kelvara
