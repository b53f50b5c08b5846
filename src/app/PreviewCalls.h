// What the dialog asks of the preview player and of the trim range control.
// The do-nothing versions stand in until the preview is built.
#pragma once

#include <string>

namespace kelvara {

class PreviewPlayer {
public:
    virtual ~PreviewPlayer() = default;
    virtual void OpenPreview(const std::string& path, double startSeconds) = 0;
    virtual void StopPlayback() = 0;
};

class TrimControl {
public:
    virtual ~TrimControl() = default;
    // Programmatic updates: the trim handler ignores them.
    virtual void SetMinMax(double min, double max) = 0;
    virtual void SetRange(double left, double right) = 0;
};

class NoPreviewPlayer : public PreviewPlayer {
public:
    void OpenPreview(const std::string&, double) override { }
    void StopPlayback() override { }
};

class NoTrimControl : public TrimControl {
public:
    void SetMinMax(double, double) override { }
    void SetRange(double, double) override { }
};

} // namespace kelvara
