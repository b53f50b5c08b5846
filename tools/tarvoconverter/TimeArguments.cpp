#include "TimeArguments.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace kelvara::tarvo {

namespace {

bool IsDigitsWithOptionalFraction(std::string_view text)
{
    bool seenDigit = false;
    bool seenPoint = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            seenDigit = true;
        else if (c == '.' && !seenPoint)
            seenPoint = true;
        else
            return false;
    }
    return seenDigit;
}

std::optional<double> ParseNonNegativeNumber(std::string_view text)
{
    if (!IsDigitsWithOptionalFraction(text))
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::string_view> SplitAtColons(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (std::size_t colon; (colon = text.find(':')) != std::string_view::npos;) {
        fields.push_back(text.substr(0, colon));
        text.remove_prefix(colon + 1);
    }
    fields.push_back(text);
    return fields;
}

bool IsWholeNumber(std::string_view text)
{
    return text.find('.') == std::string_view::npos;
}

} // namespace

std::optional<double> ParseTimeText(std::string_view text)
{
    const std::vector<std::string_view> fields = SplitAtColons(text);
    if (fields.size() > 3)
        return std::nullopt;
    double seconds = 0.0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const bool last = i + 1 == fields.size();
        const std::optional<double> value = ParseNonNegativeNumber(fields[i]);
        if (!value || (!last && !IsWholeNumber(fields[i])))
            return std::nullopt;
        // Minutes and seconds after a colon stay below 60, as on a clock.
        if (i > 0 && *value >= 60.0)
            return std::nullopt;
        seconds = seconds * 60.0 + *value;
    }
    return seconds;
}

} // namespace kelvara::tarvo
