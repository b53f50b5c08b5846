#include "app/MissingEncoder.h"

#include "app/CConverterDlg.h"
#include "batch/EncoderCheck.h"

namespace kelvara {

void TellMissingEncoderWhenShown(CConverterDlg& dialog)
{
    // Queued: the box is modal, and must not open from inside the paint
    // that announced the first picture.
    QObject::connect(
        &dialog, &CConverterDlg::FirstPainted, &dialog,
        [&dialog] { TellMissingEncoder(static_cast<BatchHost&>(dialog)); },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}

} // namespace kelvara
