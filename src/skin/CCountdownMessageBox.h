// The skinned message box that counts down before the computer is turned
// off: "The computer will be turned off in N seconds." with one Cancel
// button. It accepts when the count runs out and rejects on Cancel, Escape,
// Enter or the close button, so a stray key never turns the computer off.
#pragma once

#include "CSkinMessageBox.h"

#include <QTimer>

#include <chrono>

namespace kelvara {

class CCountdownMessageBox : public CSkinMessageBox {
    Q_OBJECT
public:
    static constexpr int kDefaultSeconds = 60;

    // `tick` is the length of one counted second; tests shorten it.
    CCountdownMessageBox(QWidget* owner, int seconds = kDefaultSeconds,
        std::chrono::milliseconds tick = std::chrono::seconds(1));

    static QString TextFor(int secondsLeft);
    int SecondsLeft() const { return m_secondsLeft; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTick();

    int m_secondsLeft;
    QTimer m_timer;
};

// Shows the countdown modally; true when it ran out, false when cancelled.
bool RunShutdownCountdown(QWidget* owner, int seconds = CCountdownMessageBox::kDefaultSeconds);

} // namespace kelvara
