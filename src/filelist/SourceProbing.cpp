#include "SourceProbing.h"

#include "PathText.h"

namespace kelvara {

OrderedProbe::OrderedProbe(const SourceProber& prober, int threads, QObject* parent)
    : QObject(parent)
    , m_prober(prober)
{
    m_pool.setMaxThreadCount(std::max(1, threads));
}

OrderedProbe::~OrderedProbe()
{
    m_pool.clear();
    m_pool.waitForDone();
}

bool OrderedProbe::Start(const QStringList& paths, ResultHandler onResult, DoneHandler onDone)
{
    if (m_running)
        return false;
    m_running = true;
    m_paths = paths;
    m_results.assign(paths.size(), std::nullopt);
    m_next = 0;
    m_onResult = std::move(onResult);
    m_onDone = std::move(onDone);
    const quint64 generation = ++m_generation;
    for (int i = 0; i < paths.size(); ++i) {
        const std::string path = PathBytes(paths[i]);
        m_pool.start([this, path, i, generation] {
            const MediaInfo info = m_prober.Probe(path);
            QMetaObject::invokeMethod(
                this, [this, i, info, generation] { Deliver(i, info, generation); }, Qt::QueuedConnection);
        });
    }
    if (paths.isEmpty())
        Deliver(0, {}, generation);
    return true;
}

void OrderedProbe::Cancel()
{
    m_pool.clear();
    ++m_generation;
    m_running = false;
    m_paths.clear();
    m_results.clear();
}

void OrderedProbe::Deliver(int index, const MediaInfo& info, quint64 generation)
{
    if (generation != m_generation || !m_running)
        return;
    if (index < int(m_results.size()))
        m_results[index] = info;
    // The handler may cancel this run or start another: check after each call.
    while (m_running && generation == m_generation && m_next < int(m_results.size())
        && m_results[m_next].has_value()) {
        const int current = m_next++;
        m_onResult(m_paths[current], *m_results[current]);
    }
    if (m_running && generation == m_generation && m_next == int(m_results.size())) {
        m_running = false;
        DoneHandler done = std::move(m_onDone);
        if (done)
            done();
    }
}

} // namespace kelvara
