// A small push button with a caption, drawn as the message box draws its
// buttons: a light plate with a rounded frame, darker under the mouse.
#pragma once

#include "CSkinButton.h"

namespace kelvara {

class CSkinTextButton : public CSkinButton {
    Q_OBJECT
public:
    explicit CSkinTextButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void OnDrawBackground(QPainter& painter, const QRect& rect) override;
    void OnDrawBorder(QPainter& painter, const QRect& rect) override;
};

// The plate under a text button at `area`, shared with the skin's dialogs.
void PaintTextButtonPlate(QPainter& painter, const QRect& area, bool hot, bool enabled);

} // namespace kelvara
