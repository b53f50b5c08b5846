#include "cli/ProgressPrinter.h"

#include "batch/StatusText.h"

namespace kelvara::cli {
namespace {

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The engine's last line, which usually says why it gave up.
std::string LastLineOf(const std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == '\n')
        --end;
    const std::size_t start = text.rfind('\n', end == 0 ? 0 : end - 1);
    return text.substr(
        start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

bool Converted(const JobRecord& job)
{
    return !job.failed && job.stateIcon == JobState::Done;
}

} // namespace

ProgressPrinter::ProgressPrinter(const JobList& jobs, const OutputKind& kind, std::FILE* out, bool live)
    : m_jobs(jobs)
    , m_kind(kind)
    , m_out(out)
    , m_live(live)
{
}

std::string ProgressPrinter::EndLine(const JobRecord& job)
{
    std::string line = FileNameOf(job.sourcePath) + ": ";
    if (Converted(job)) {
        line += "converted, " + (job.run.outcome.empty() ? std::string("finished") : job.run.outcome);
        if (!job.outputPath.empty())
            line += " \xE2\x86\x92 " + job.outputPath;
    } else if (job.failed) {
        line += job.run.outcome.empty() ? std::string("failed") : job.run.outcome;
        // The engine's last line, unless the reason already is that line.
        const std::string last = LastLineOf(job.run.outputTail);
        if (!last.empty() && job.run.outcome.find(last) == std::string::npos)
            line += "\n    " + last;
    } else {
        line += job.run.outcome.empty() ? std::string("not converted") : job.run.outcome;
    }
    return line;
}

void ProgressPrinter::RedrawCell(int row, JobColumn column)
{
    if (column != JobColumn::Status || !m_jobs.Contains(row))
        return;
    const JobRecord job = m_jobs.GetAt(row);
    if (job.run.Ended() && (Converted(job) || job.failed))
        Report(row, job);
    else if (m_live && job.run.Going())
        ShowLive(row, job);
}

void ProgressPrinter::Report(int row, const JobRecord& job)
{
    const auto at = static_cast<std::size_t>(row);
    if (m_reported.size() <= at)
        m_reported.resize(at + 1, false);
    if (m_reported[at])
        return;
    m_reported[at] = true;
    ClearLive();
    std::fprintf(m_out, "%s\n", EndLine(job).c_str());
    std::fflush(m_out);
}

void ProgressPrinter::ShowLive(int row, const JobRecord& job)
{
    const StatusCell status = StatusOf(job, m_kind);
    // The cell's text is laid out for a column: one blank between words here.
    std::string text;
    for (const char c : status.hasText ? status.text : std::string("converting")) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank)
            text += c;
        else if (!text.empty() && text.back() != ' ')
            text += ' ';
    }
    std::fprintf(m_out, "\r\x1b[K[%d/%d] %s: %s", row + 1, m_jobs.GetSize(),
        FileNameOf(job.sourcePath).c_str(), text.c_str());
    std::fflush(m_out);
    m_liveShown = true;
}

void ProgressPrinter::ClearLive()
{
    if (!m_liveShown)
        return;
    std::fprintf(m_out, "\r\x1b[K");
    m_liveShown = false;
}

BatchCount ProgressPrinter::Finish(int skipped)
{
    BatchCount count;
    count.failed = skipped;
    for (int row = 0; row < m_jobs.GetSize(); ++row) {
        const JobRecord job = m_jobs.GetAt(row);
        Report(row, job);
        if (Converted(job))
            ++count.converted;
        else if (job.failed)
            ++count.failed;
        else
            ++count.notConverted;
    }
    ClearLive();
    std::string summary
        = std::to_string(count.converted) + " converted, " + std::to_string(count.failed) + " failed";
    if (count.notConverted > 0)
        summary += ", " + std::to_string(count.notConverted) + " not converted";
    std::fprintf(m_out, "%s\n", summary.c_str());
    std::fflush(m_out);
    return count;
}

} // namespace kelvara::cli
