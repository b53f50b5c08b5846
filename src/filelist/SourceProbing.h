// Probing many chosen files off the GUI thread, several at once, while the
// results are handed back on the GUI thread strictly in the order the files
// were chosen, each as soon as it and all before it are known.
#pragma once

#include "videoedit/MediaInfo.h"
#include "videoedit/MediaProbe.h"

#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <functional>
#include <optional>
#include <vector>

namespace kelvara {

// Reads a source's length and size; called from worker threads at once.
class SourceProber {
public:
    virtual ~SourceProber() = default;
    virtual MediaInfo Probe(const std::string& path) const = 0;
};

// The program's prober: the same reading the video-editing component does.
class LibavSourceProber : public SourceProber {
public:
    MediaInfo Probe(const std::string& path) const override { return ReadMediaInfo(path); }
};

// A MediaProbe that answers from a reading made before, so a job is created
// exactly as if the component had been asked there and then.
class ProbedMediaInfo : public MediaProbe {
public:
    explicit ProbedMediaInfo(const MediaInfo& info)
        : m_info(info)
    {
    }
    double GetFileDuration(const std::string&) override { return m_info.durationSeconds; }
    int GetFileWidth(const std::string&) override { return m_info.width; }
    int GetFileHeight(const std::string&) override { return m_info.height; }

private:
    MediaInfo m_info;
};

class OrderedProbe : public QObject {
    Q_OBJECT
public:
    using ResultHandler = std::function<void(const QString& path, const MediaInfo& info)>;
    using DoneHandler = std::function<void()>;

    // The prober must outlive this object.
    OrderedProbe(const SourceProber& prober, int threads, QObject* parent = nullptr);
    ~OrderedProbe() override;

    // Probes `paths` (as PathFromBytes gives them); `onResult` runs on this
    // object's thread in the order of `paths`, then `onDone` once. Refused
    // (false) while a run is going on.
    bool Start(const QStringList& paths, ResultHandler onResult, DoneHandler onDone);
    // Drops the results still to come; `onDone` is not called.
    void Cancel();
    bool IsRunning() const { return m_running; }

private:
    void Deliver(int index, const MediaInfo& info, quint64 generation);

    const SourceProber& m_prober;
    QThreadPool m_pool;
    QStringList m_paths;
    std::vector<std::optional<MediaInfo>> m_results;
    int m_next = 0;
    bool m_running = false;
    // Results of a cancelled run arrive late; they carry its generation.
    quint64 m_generation = 0;
    ResultHandler m_onResult;
    DoneHandler m_onDone;
};

} // namespace kelvara
