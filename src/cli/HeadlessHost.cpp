#include "cli/HeadlessHost.h"

#include <utility>

namespace kelvara::cli {

HeadlessHost::HeadlessHost(std::string outputFolder, const OutputKind& kind, std::FILE* messages)
    : m_outputFolder(std::move(outputFolder))
    , m_kind(kind)
    , m_messages(messages)
{
}

void HeadlessHost::ShowMessage(const std::string& text, const std::string& /*title*/, MessageIcon icon)
{
    if (icon != MessageIcon::Error)
        return;
    ++m_errors;
    // The window's texts end in blanks and line breaks of their own.
    std::string line = text;
    while (!line.empty() && (line.back() == ' ' || line.back() == '\n'))
        line.pop_back();
    std::fprintf(m_messages, "kelvara: %s\n", line.c_str());
    std::fflush(m_messages);
}

} // namespace kelvara::cli
