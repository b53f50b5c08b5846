// The background of the skinned dialogs: the body tile, the title band and a
// three-pixel frame.
#pragma once

#include <QPainter>
#include <QSize>

namespace kelvara {

void PaintSkinDialogBackground(QPainter& painter, QSize client);

} // namespace kelvara
