#include "LayeredFadeIn.h"

namespace kelvara {

LayeredFadeIn::LayeredFadeIn(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(kStepMs);
    connect(&m_timer, &QTimer::timeout, this, &LayeredFadeIn::OnTick);
}

void LayeredFadeIn::Start(QWidget* window, bool layeredWindows, int targetAlpha)
{
    m_window = window;
    m_target = targetAlpha;
    if (!layeredWindows) {
        m_alpha = 255;
        m_timer.stop();
        Apply();
        return;
    }
    m_alpha = 0;
    Apply();
    m_timer.start();
}

void LayeredFadeIn::OnTick()
{
    m_alpha += kAlphaStep;
    if (m_alpha >= m_target) {
        m_alpha = 255;
        m_timer.stop();
        Apply();
        emit Finished();
        return;
    }
    Apply();
}

void LayeredFadeIn::Apply()
{
    if (m_window)
        m_window->setWindowOpacity(m_alpha / 255.0);
}

} // namespace kelvara
