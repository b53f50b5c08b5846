#include "platform/ProfileFile.h"

#include <algorithm>
#include <span>

namespace kelvara::platform {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Names and keys match without regard to the case of ASCII letters.
char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return LowerAscii(x) == LowerAscii(y);
    });
}

// Up to this many lines a section is searched line by line; a longer one
// gets an index of its keys.
constexpr std::size_t kShortSectionLines = 16;

std::optional<std::string_view> SectionNameOf(std::string_view line)
{
    if (!line.starts_with('['))
        return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
}

// Items each followed by a zero byte and the list by one more, cut to the
// buffer: a list that does not fit ends in its last item cut short and two
// zero bytes, filling the buffer. Nothing beyond the buffer is kept, so a
// long list costs no more than the buffer.
class ZeroSeparatedList {
public:
    explicit ZeroSeparatedList(std::size_t bufferSize)
        : m_bufferSize(bufferSize)
    {
    }

    bool Full() const { return m_list.size() >= m_bufferSize; }
    void Append(std::string_view text) { m_list.append(text.substr(0, m_bufferSize - m_list.size())); }
    void EndItem() { Append(std::string_view("\0", 1)); }

    std::string Finish() &&
    {
        if (m_bufferSize < 2)
            return {};
        if (m_list.empty())
            return std::string(2, '\0');
        if (m_list.size() + 1 <= m_bufferSize)
            return std::move(m_list) + '\0';
        m_list.resize(m_bufferSize - 2);
        return std::move(m_list) + std::string(2, '\0');
    }

private:
    std::size_t m_bufferSize;
    std::string m_list;
};

} // namespace

std::size_t ProfileFile::FoldedHash::operator()(std::string_view text) const
{
    // FNV-1a over the lower-cased bytes.
    std::size_t hash = 14695981039346656037ull;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
    return hash;
}

std::size_t ProfileFile::FoldedHash::operator()(const std::pair<std::size_t, std::string_view>& key) const
{
    return (*this)(key.second) ^ (key.first * 0x9E3779B97F4A7C15ull);
}

bool ProfileFile::FoldedEqual::operator()(std::string_view a, std::string_view b) const
{
    return EqualIgnoringCase(a, b);
}

bool ProfileFile::FoldedEqual::operator()(const std::pair<std::size_t, std::string_view>& a,
    const std::pair<std::size_t, std::string_view>& b) const
{
    return a.first == b.first && EqualIgnoringCase(a.second, b.second);
}

ProfileFile ProfileFile::Parse(std::string_view bytes)
{
    ProfileFile file;
    file.m_text.assign(bytes.begin(), bytes.end());
    std::string_view text(file.m_text.data(), file.m_text.size());
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view rawLine = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (rawLine.ends_with('\r'))
            rawLine.remove_suffix(1);
        const std::string_view line = Trimmed(rawLine.substr(0, kProfileLineLimit - 1));
        if (line.empty() || line.starts_with(';'))
            continue;
        if (const auto name = SectionNameOf(line))
            file.AddSection(*name);
        else if (!file.m_sections.empty())
            file.AddLine(line);
    }
    file.IndexKeysOfLastSection();
    return file;
}

void ProfileFile::AddSection(std::string_view name)
{
    IndexKeysOfLastSection();
    m_firstSection.try_emplace(name, m_sections.size());
    m_sections.push_back({ name, m_lines.size(), 0 });
}

void ProfileFile::AddLine(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        m_lines.push_back({ line, std::nullopt });
    else
        m_lines.push_back({ Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)) });
    ++m_sections.back().lineCount;
}

// Only the first section of a name is ever read, so only it is indexed.
void ProfileFile::IndexKeysOfLastSection()
{
    if (m_sections.empty())
        return;
    const std::size_t position = m_sections.size() - 1;
    const Named& section = m_sections.back();
    if (section.lineCount <= kShortSectionLines || m_firstSection.at(section.name) != position)
        return;
    for (std::size_t line = section.firstLine; line < section.firstLine + section.lineCount; ++line)
        m_firstLineInLongSections.try_emplace({ position, m_lines[line].key }, line);
}

const ProfileFile::Line* ProfileFile::FindLine(std::size_t position, std::string_view key) const
{
    const Named& section = m_sections[position];
    if (section.lineCount > kShortSectionLines) {
        const auto found = m_firstLineInLongSections.find({ position, key });
        return found == m_firstLineInLongSections.end() ? nullptr : &m_lines[found->second];
    }
    for (std::size_t line = section.firstLine; line < section.firstLine + section.lineCount; ++line)
        if (EqualIgnoringCase(m_lines[line].key, key))
            return &m_lines[line];
    return nullptr;
}

std::optional<std::size_t> ProfileFile::Find(std::string_view section) const
{
    const auto found = m_firstSection.find(section);
    if (found == m_firstSection.end())
        return std::nullopt;
    return found->second;
}

std::string ProfileFile::SectionNames(std::size_t bufferSize) const
{
    ZeroSeparatedList list(bufferSize);
    for (auto section = m_sections.begin(); section != m_sections.end() && !list.Full(); ++section) {
        list.Append(section->name);
        list.EndItem();
    }
    return std::move(list).Finish();
}

std::string ProfileFile::Section(std::string_view section, std::size_t bufferSize) const
{
    ZeroSeparatedList list(bufferSize);
    if (const auto position = Find(section)) {
        const Named& found = m_sections[*position];
        const auto lines = std::span(m_lines).subspan(found.firstLine, found.lineCount);
        for (auto line = lines.begin(); line != lines.end() && !list.Full(); ++line) {
            list.Append(line->key);
            if (line->value) {
                list.Append("=");
                list.Append(*line->value);
            }
            list.EndItem();
        }
    }
    return std::move(list).Finish();
}

std::string ProfileFile::String(std::string_view section, std::string_view key, std::string_view defaultValue,
    std::size_t bufferSize) const
{
    if (bufferSize == 0)
        return {};
    std::string_view value = defaultValue;
    if (const auto position = Find(section)) {
        const Line* line = FindLine(*position, key);
        if (line && line->value)
            value = *line->value;
    }
    return std::string(value.substr(0, bufferSize - 1));
}

} // namespace kelvara::platform
