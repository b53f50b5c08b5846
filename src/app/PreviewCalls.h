// What the dialog asks of the trim range control. The do-nothing version
// stands in until the control is built. (The preview's component is asked
// through videoedit/PreviewControl.h.)
#pragma once

#include <string>

namespace kelvara {

class TrimControl {
public:
    virtual ~TrimControl() = default;
    // Programmatic updates: the trim handler ignores them.
    virtual void SetMinMax(double min, double max) = 0;
    virtual void SetRange(double left, double right) = 0;
};

class NoTrimControl : public TrimControl {
public:
    void SetMinMax(double, double) override { }
    void SetRange(double, double) override { }
};

} // namespace kelvara
