// How StartConvert answered: started, or refused for one of the reasons a
// user can act on, with the words (and the path, and the system's error
// text where there is one) that reach the job's failure reason.
#pragma once

#include <string>
#include <utility>

namespace kelvara {

enum class ConvertRefusal {
    None,
    NoClip,
    EmptyClip, // the clip ends before it starts or after the source's end
    SourceUnreadable,
    OutputFolderMissing,
    OutputFolderReadOnly,
    OutputIsSource,
    NoFfmpeg,
    UnknownFormat,
    UnknownCodec,
    AlreadyConverting,
    CannotRunFfmpeg,
};

class ConvertStart {
public:
    static ConvertStart Started() { return {}; }
    static ConvertStart Refused(ConvertRefusal refusal, std::string reason)
    {
        ConvertStart start;
        start.m_refusal = refusal;
        start.m_reason = std::move(reason);
        return start;
    }

    bool IsStarted() const { return m_refusal == ConvertRefusal::None; }
    explicit operator bool() const { return IsStarted(); }
    ConvertRefusal Refusal() const { return m_refusal; }
    // Empty when started.
    const std::string& Reason() const { return m_reason; }

private:
    ConvertRefusal m_refusal = ConvertRefusal::None;
    std::string m_reason;
};

} // namespace kelvara
