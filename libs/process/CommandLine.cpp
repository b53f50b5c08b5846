#include "CommandLine.h"

namespace kelvara {

std::string EscapeForSingleQuotes(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '\'')
            escaped += "'\\''";
        else
            escaped += c;
    }
    return escaped;
}

std::string QuoteArgument(std::string_view text)
{
    return "'" + EscapeForSingleQuotes(text) + "'";
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool EscapableInDoubleQuotes(char c)
{
    return c == '"' || c == '\\' || c == '$' || c == '`';
}

} // namespace

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line)
{
    enum class Mode { Plain, Single, Double };
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    Mode mode = Mode::Plain;

    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        switch (mode) {
        case Mode::Single:
            if (c == '\'')
                mode = Mode::Plain;
            else
                current += c;
            break;
        case Mode::Double:
            if (c == '"') {
                mode = Mode::Plain;
            } else if (c == '\\' && i + 1 < line.size() && EscapableInDoubleQuotes(line[i + 1])) {
                current += line[++i];
            } else {
                current += c;
            }
            break;
        case Mode::Plain:
            if (IsBlank(c)) {
                if (inArgument)
                    arguments.push_back(std::move(current));
                current.clear();
                inArgument = false;
                break;
            }
            inArgument = true;
            if (c == '\'') {
                mode = Mode::Single;
            } else if (c == '"') {
                mode = Mode::Double;
            } else if (c == '\\') {
                if (i + 1 >= line.size())
                    return std::nullopt;
                current += line[++i];
            } else {
                current += c;
            }
            break;
        }
    }
    if (mode != Mode::Plain)
        return std::nullopt;
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

} // namespace kelvara
