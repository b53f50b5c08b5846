#include "RequestParser.h"

#include "FfmpegOptionTable.h"
#include "TimeArguments.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>

namespace kelvara::tarvo {

namespace {

constexpr double kSingleFrameLength = 0.001;

// The options the converter reads itself: each needs its value, even
// directly before the last output.
bool IsInterpreted(std::string_view name)
{
    for (const std::string_view own : { "i", "ss", "t", "f", "s", "ab", "ar" }) {
        if (name == own)
            return true;
    }
    return false;
}

bool IsOptionToken(std::string_view token)
{
    return token.size() > 1 && token[0] == '-';
}

struct Option {
    std::string name; // without the dash
    std::optional<std::string> value;
};

// The options up to one file, and that file: an input (after -i) or an output.
struct Group {
    std::vector<Option> options;
    std::string path;
    bool isInput = false;
};

struct GroupedArguments {
    std::vector<Group> groups;
    std::string error;
};

// The index of the last output's path: the last argument that is not empty.
std::optional<std::size_t> LastOutputIndex(const std::vector<std::string>& arguments)
{
    for (std::size_t i = arguments.size(); i-- > 0;) {
        if (!arguments[i].empty())
            return i;
    }
    return std::nullopt;
}

// Groups the arguments as ffmpeg does: options up to the file they apply to.
// The last argument is always the last output's path, so no option, known to
// the table or not, can take it as its value; the table only has to tell the
// outputs before it apart.
GroupedArguments GroupArguments(const std::vector<std::string>& arguments)
{
    GroupedArguments result;
    const std::optional<std::size_t> last = LastOutputIndex(arguments);
    if (!last)
        return result;
    if (IsOptionToken(arguments[*last])) {
        result.error = "the output file must come last, after its options";
        return result;
    }
    Group current;
    for (std::size_t i = 0; i < *last; ++i) {
        const std::string& token = arguments[i];
        if (token.empty())
            continue;
        if (!IsOptionToken(token)) {
            current.path = token;
            result.groups.push_back(std::move(current));
            current = Group();
            continue;
        }
        Option option { token.substr(1), std::nullopt };
        if (OptionTakesValue(option.name) && i + 1 < *last) {
            option.value = arguments[++i];
        } else if (IsInterpreted(option.name)) {
            result.error = "option " + token + " needs a value";
            return result;
        }
        // An option right before the last output's path keeps no value:
        // ffmpeg itself says so if it wanted one.
        if (option.name == "i") {
            current.path = *option.value;
            current.isInput = true;
            result.groups.push_back(std::move(current));
            current = Group();
            continue;
        }
        current.options.push_back(std::move(option));
    }
    current.path = arguments[*last];
    result.groups.push_back(std::move(current));
    return result;
}

std::optional<int> ParsePositiveInteger(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0)
        return std::nullopt;
    return value;
}

std::optional<FrameSize> ParseFrameSize(std::string_view text)
{
    const std::size_t separator = text.find_first_of("*x");
    if (separator == std::string_view::npos)
        return std::nullopt;
    const auto width = ParsePositiveInteger(text.substr(0, separator));
    const auto height = ParsePositiveInteger(text.substr(separator + 1));
    if (!width || !height)
        return std::nullopt;
    return FrameSize { *width, *height };
}

std::optional<int> ParseKilobits(std::string_view text)
{
    if (text.ends_with('k') || text.ends_with('K'))
        text.remove_suffix(1);
    return ParsePositiveInteger(text);
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string BadValue(const Option& option, std::string_view expected)
{
    return "option -" + option.name + " needs " + std::string(expected) + ", got '"
        + option.value.value_or("") + "'";
}

// Reads one option of an output into the request; returns an error text.
std::string ApplyOutputOption(const Option& option, OutputRequest& output, Request& request)
{
    const std::string& value = option.value.value_or("");
    if ((option.name == "ss" || option.name == "t") && IsBlank(value)) {
        // A profile run from an intermediate file has no range: its
        // start and length are a blank, and the whole input is wanted.
    } else if (option.name == "ss" || option.name == "t") {
        const std::optional<double> seconds = ParseTimeText(value);
        if (!seconds)
            return BadValue(option, "a time (hh:mm:ss or seconds)");
        if (option.name == "ss")
            request.startSeconds = *seconds;
        else if (*seconds == kSingleFrameLength)
            output.singleFrame = true;
        else
            output.lengthSeconds = *seconds;
    } else if (option.name == "f" && value == "image2") {
        output.pictureRequested = true;
    } else if (option.name == "s") {
        output.size = ParseFrameSize(value);
        if (!output.size)
            return BadValue(option, "a frame size W*H or WxH");
    } else if (option.name == "ab") {
        output.audioBitrateKbps = ParseKilobits(value);
        if (!output.audioBitrateKbps)
            return BadValue(option, "a bitrate in kbit/s");
    } else if (option.name == "ar") {
        output.sampleRateHz = ParsePositiveInteger(value);
        if (!output.sampleRateHz)
            return BadValue(option, "a sample rate in Hz");
    } else {
        output.ffmpegOptions.push_back("-" + option.name);
        if (option.value)
            output.ffmpegOptions.push_back(*option.value);
    }
    return {};
}

InputRequest MakeInput(const Group& group)
{
    InputRequest input;
    input.path = group.path;
    for (const Option& option : group.options) {
        if ((option.name == "ss" || option.name == "t") && IsBlank(option.value.value_or("")))
            continue; // no range: the whole input, as for an intermediate file
        input.options.push_back("-" + option.name);
        if (option.value)
            input.options.push_back(*option.value);
        if (option.name == "f")
            input.hasExplicitFormat = true;
    }
    return input;
}

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    GroupedArguments grouped = GroupArguments(arguments);
    if (!grouped.error.empty())
        return { std::nullopt, grouped.error };

    Request request;
    for (const Group& group : grouped.groups) {
        if (group.path.empty())
            return { std::nullopt, group.isInput ? "the input path is empty" : "an output path is empty" };
        if (group.isInput) {
            request.inputs.push_back(MakeInput(group));
            continue;
        }
        OutputRequest output;
        output.path = group.path;
        for (const Option& option : group.options) {
            if (std::string error = ApplyOutputOption(option, output, request); !error.empty())
                return { std::nullopt, error };
        }
        request.outputs.push_back(std::move(output));
    }
    if (request.inputs.empty())
        return { std::nullopt, "no input given (-i)" };
    if (request.outputs.empty())
        return { std::nullopt, "no output file given" };
    return { std::move(request), {} };
}

} // namespace kelvara::tarvo
