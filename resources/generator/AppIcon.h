// The program's icon at every size of the desktop's icon theme.
#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace kelvara::generator {

// The sizes the icon theme gets, smallest first.
const QList<int>& AppIconSizes();
// The icon drawn for one of those sizes.
QImage AppIconAt(int size);
// Writes appicon/<size>.png for every size and appicon/appicon.qrc listing
// them under the resources folder.
bool WriteAppIcons(const QString& resourcesFolder);

} // namespace kelvara::generator
