// Command lines as text: how file names are quoted into them and how they are
// split back into arguments. No shell ever sees a command, so these two must
// agree on every character a file name can hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

// The text to put between two single quotes so that `text` comes back as one
// argument, unchanged: each single quote becomes '\'' (close the quote, an
// escaped quote, open it again). Everything else is literal inside quotes.
std::string EscapeForSingleQuotes(std::string_view text);

// `text` enclosed in single quotes, escaped as above.
std::string QuoteArgument(std::string_view text);

// Splits a command line into arguments. Blanks and tabs separate arguments;
// inside '...' every character is literal; inside "..." a backslash escapes
// " \ $ and `; outside quotes a backslash escapes the next character. Returns
// nothing when a quote is left open or the line ends in a lone backslash.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line);

} // namespace kelvara
