#include "app/HardwareDetectionAtStart.h"

#include "app/CConverterDlg.h"
#include "ffmpeg/FfmpegProgram.h"
#include "ffmpeg/HardwareDetection.h"

#include <QMetaObject>

namespace kelvara {

HardwareDetectionAtStart::HardwareDetectionAtStart(CConverterDlg& dialog)
{
    QObject::connect(
        &dialog, &CConverterDlg::FirstPainted, &dialog,
        [this, &dialog] {
            const FfmpegProgram ffmpeg = WhichFfmpeg();
            if (!ffmpeg.found.Found())
                return; // the missing ffmpeg is told on its own
            DetectionRequest request;
            request.ffmpeg = ffmpeg.found.path;
            // The dialog outlives this thread, which is joined first.
            m_thread = std::jthread([request, receiver = &dialog](const std::stop_token& stop) {
                std::vector<UsableEncoder> usable = DetectHardwareEncoders(request, stop);
                if (stop.stop_requested())
                    return;
                QMetaObject::invokeMethod(
                    receiver,
                    [receiver, usable = std::move(usable)]() mutable {
                        receiver->SetGraphicsCardEncoders(std::move(usable));
                    },
                    Qt::QueuedConnection);
            });
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}

} // namespace kelvara
