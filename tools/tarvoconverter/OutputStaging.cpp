#include "OutputStaging.h"

#include "FfmpegInvocation.h"

#include <sys/stat.h>

namespace kelvara::tarvo {

namespace {

// "-", "pipe:1" and the like are written as they are.
bool NamesAFile(const std::string& path)
{
    if (path.empty() || path == "-" || path.starts_with("pipe:") || path.find("://") != std::string::npos)
        return false;
    struct stat info { };
    return ::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty() || from == to)
        return;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

OutputStaging::Prepared OutputStaging::Prepare(const Request& request, StagingMethod method)
{
    OutputStaging staging;
    staging.m_forFfmpeg = request;
    for (std::size_t i = 0; i < request.outputs.size(); ++i) {
        Entry entry;
        const OutputRequest& output = request.outputs[i];
        if (NamesAFile(output.path)) {
            // An extension we cannot name the format of for ffmpeg keeps
            // the output on a hidden name, whose extension tells it.
            const bool throughDescriptor = FormatKnownWithoutTheName(output);
            StagedOutput::Created created
                = StagedOutput::Create(output.path, throughDescriptor ? method : StagingMethod::HiddenName);
            if (!created.output)
                return { std::nullopt, created.error };
            entry.staged = std::move(created.output);
            entry.childFd = kFirstOutputChildFd + static_cast<int>(i);
            // The descriptor's name is short, whatever the length of the final path.
            staging.m_forFfmpeg.outputs[i].writtenAt = throughDescriptor
                ? StagedOutput::DescriptorPath(entry.childFd)
                : entry.staged->TemporaryPath();
        }
        staging.m_entries.push_back(std::move(entry));
    }
    return { std::move(staging), {} };
}

std::vector<DescriptorMapping> OutputStaging::OutputDescriptors() const
{
    std::vector<DescriptorMapping> descriptors;
    for (const Entry& entry : m_entries) {
        if (entry.staged)
            descriptors.push_back({ entry.childFd, entry.staged->Descriptor() });
    }
    return descriptors;
}

std::string OutputStaging::OwnPathOf(std::size_t index) const
{
    const Entry& entry = m_entries.at(index);
    return entry.staged ? entry.staged->OwnPath() : m_forFfmpeg.outputs.at(index).path;
}

std::optional<std::string> OutputStaging::FirstEmptyOutput() const
{
    for (const Entry& entry : m_entries) {
        if (entry.staged && entry.staged->WrittenBytes() == 0)
            return entry.staged->FinalPath();
    }
    return std::nullopt;
}

std::string OutputStaging::CommitAll()
{
    for (Entry& entry : m_entries) {
        if (!entry.staged)
            continue;
        if (std::string error = entry.staged->Commit(); !error.empty()) {
            DiscardAll();
            return error;
        }
    }
    return {};
}

void OutputStaging::DiscardAll()
{
    for (Entry& entry : m_entries) {
        if (entry.staged)
            entry.staged->Discard();
    }
}

std::string OutputStaging::WithFinalNames(std::string text) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].staged)
            ReplaceAll(text, m_forFfmpeg.outputs[i].writtenAt, m_entries[i].staged->FinalPath());
    }
    return text;
}

} // namespace kelvara::tarvo
