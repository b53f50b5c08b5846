// What the dialog asks of the preview player. The do-nothing version stands
// in until the preview is built.
#pragma once

#include <string>

namespace kelvara {

class PreviewPlayer {
public:
    virtual ~PreviewPlayer() = default;
    virtual void OpenPreview(const std::string& path, double startSeconds) = 0;
    virtual void StopPlayback() = 0;
};

class NoPreviewPlayer : public PreviewPlayer {
public:
    void OpenPreview(const std::string&, double) override { }
    void StopPlayback() override { }
};

} // namespace kelvara
