#include "options/OptionNumbers.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace kelvara {
namespace {

std::string_view SkipBlanks(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

} // namespace

int LeadingInt(std::string_view text, std::size_t maxChars)
{
    text = SkipBlanks(text.substr(0, maxChars));
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t { std::numeric_limits<int>::max() } + 1;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<std::int64_t>(value * 10 + (c - '0'), kLimit);
    }
    value = negative ? -value : value;
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double LeadingDouble(std::string_view text)
{
    text = SkipBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

} // namespace kelvara
