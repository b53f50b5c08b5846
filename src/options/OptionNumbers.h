// Numbers read from the texts of option lists and size fields, by the C
// library's rule: leading blanks skipped, then an optional sign and digits;
// text that does not start with a number reads as 0.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelvara {

// At most `maxChars` characters are looked at, as a fixed text buffer would
// hold; a number beyond the range of int is clamped to it.
int LeadingInt(std::string_view text, std::size_t maxChars = std::string_view::npos);
double LeadingDouble(std::string_view text);

} // namespace kelvara
