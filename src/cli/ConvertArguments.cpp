#include "cli/ConvertArguments.h"

#include "batch/FilesAtOnce.h"
#include "cli/KindTable.h"
#include "jobs/OptionDefaults.h"
#include "options/AudioKindOptions.h"
#include "options/OptionItems.h"

#include <charconv>
#include <map>

namespace kelvara::cli {
namespace {

// A number made only of digits, within int.
std::optional<int> WholeNumber(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end)
        return std::nullopt;
    return value;
}

// The leading number of a list item ("192   kbps" → 192); none for a word.
std::optional<int> ItemNumber(std::string_view item)
{
    std::string digits;
    for (const char c : item) {
        if (c < '0' || c > '9')
            break;
        digits += c;
    }
    return WholeNumber(digits);
}

// The list item whose number is `text`, or item 0 for `firstWord` ("auto").
std::optional<int> ItemPosition(
    std::span<const std::string_view> items, const std::string& text, const std::string& firstWord)
{
    if (text == firstWord)
        return 0;
    const std::optional<int> wanted = WholeNumber(text);
    for (std::size_t position = 1; wanted && position < items.size(); ++position)
        if (ItemNumber(items[position]) == wanted)
            return static_cast<int>(position);
    return std::nullopt;
}

std::string AllowedNumbers(std::span<const std::string_view> items, const std::string& firstWord)
{
    std::string allowed = firstWord;
    for (std::size_t position = 1; position < items.size(); ++position)
        allowed += ", " + std::to_string(ItemNumber(items[position]).value_or(0));
    return allowed;
}

// The options seen, by name, before they are checked against the kind.
using Values = std::map<std::string, std::string>;

constexpr std::array<std::string_view, 9> kValueOptions = { "--kind", "--bitrate", "--rate", "--out",
    "--profile", "--trim", "--jobs", "--picture", "--mpeg-type" };

bool TakesValue(const std::string& name)
{
    for (const std::string_view option : kValueOptions)
        if (option == name)
            return true;
    return false;
}

// Reads the options and files; false with `error` set on a usage error.
bool Collect(
    std::span<const std::string> arguments, ConvertRequest& request, Values& values, std::string& error)
{
    bool optionsEnded = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (optionsEnded || !argument.starts_with("-") || argument == "-") {
            request.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            request.showHelp = true;
        } else if (argument == "--list") {
            request.showList = true;
        } else {
            const std::size_t equals = argument.find('=');
            const std::string name = argument.substr(0, equals);
            if (!TakesValue(name)) {
                error = "unknown option " + argument;
                return false;
            }
            if (equals != std::string::npos) {
                values[name] = argument.substr(equals + 1);
            } else if (at + 1 < arguments.size()) {
                values[name] = arguments[++at];
            } else {
                error = "the option " + name + " needs a value";
                return false;
            }
        }
    }
    return true;
}

std::optional<std::string> Value(const Values& values, const std::string& name)
{
    const auto found = values.find(name);
    return found == values.end() ? std::nullopt : std::optional(found->second);
}

bool ApplyKind(const Values& values, ConvertRequest& request, std::string& error)
{
    const std::optional<std::string> id = Value(values, "--kind");
    if (!id) {
        error = "no --kind given (kelvara --convert --list shows them)";
        return false;
    }
    if (const std::optional<OutputKind> kind = KindById(*id)) {
        request.kind = *kind;
    } else if (const std::optional<int> type = MpegTypeByName(*id)) {
        // A disc type names the MPEG kind with that type, as the list shows it.
        request.kind = *KindById("mpeg");
        request.mpegType = *type;
    } else {
        error = "unknown kind " + *id + " (kelvara --convert --list shows them)";
        return false;
    }
    return true;
}

bool ApplyKindOptions(const Values& values, ConvertRequest& request, std::string& error)
{
    const std::string kindId(IdOfKind(request.kind));
    if (const auto picture = Value(values, "--picture")) {
        const std::optional<int> position = PictureById(*picture);
        if (!request.kind.Is(PcKind::Image) || !position) {
            error = request.kind.Is(PcKind::Image) ? "unknown picture type " + *picture
                                                   : "--picture applies to the kind image";
            return false;
        }
        request.picturePosition = *position;
    }
    if (const auto mpegType = Value(values, "--mpeg-type")) {
        const std::optional<int> type = MpegTypeByName(*mpegType);
        if (!request.kind.Is(PcKind::Mpeg) || !type) {
            error = request.kind.Is(PcKind::Mpeg) ? "unknown MPEG type " + *mpegType
                                                  : "--mpeg-type applies to the kind mpeg";
            return false;
        }
        request.mpegType = *type;
    }
    const bool audio = request.kind.category == OutputCategory::Audio;
    if (const auto bitrate = Value(values, "--bitrate")) {
        const std::optional<int> position = ItemPosition(option_items::kAudioBitrates, *bitrate, "auto");
        if (!audio || !AudioKindTakesBitrate(request.kind.kind)) {
            error = "--bitrate does not apply to the kind " + kindId
                + (audio ? ", which keeps every sample" : "; a device's sound follows its --profile");
            return false;
        }
        if (!position) {
            error = "--bitrate " + *bitrate + " is not offered; choose one of "
                + AllowedNumbers(option_items::kAudioBitrates, "auto") + " (kbit/s)";
            return false;
        }
        request.audioBitratePosition = *position;
    }
    if (const auto rate = Value(values, "--rate")) {
        const std::optional<int> position = ItemPosition(option_items::kAudioSampleRates, *rate, "same");
        if (!audio) {
            error
                = "--rate does not apply to the kind " + kindId + "; a device's sound follows its --profile";
            return false;
        }
        if (!position) {
            error = "--rate " + *rate + " is not offered; choose one of "
                + AllowedNumbers(option_items::kAudioSampleRates, "same") + " (Hz)";
            return false;
        }
        request.sampleRatePosition = *position;
    }
    return true;
}

bool ApplyRunOptions(const Values& values, ConvertRequest& request, std::string& error)
{
    if (const auto profile = Value(values, "--profile")) {
        const std::optional<int> number = WholeNumber(*profile);
        if (!request.kind.UsesProfileFile() || !number || *number < 0) {
            error = request.kind.UsesProfileFile()
                ? "--profile takes a profile's number, not " + *profile
                : "--profile does not apply to the kind " + std::string(IdOfKind(request.kind));
            return false;
        }
        request.profile = number;
    }
    if (const auto trim = Value(values, "--trim")) {
        const std::size_t dash = trim->find('-');
        const std::optional<double> start
            = dash == std::string::npos ? std::nullopt : ParseClockTime(trim->substr(0, dash));
        const std::optional<double> end
            = dash == std::string::npos ? std::nullopt : ParseClockTime(trim->substr(dash + 1));
        if (!start || !end || *end <= *start) {
            error = "--trim " + *trim + " is not START-END (HH:MM:SS[.mmm], END after START)";
            return false;
        }
        request.trim = TrimSpan { *start, *end };
    }
    if (const auto jobs = Value(values, "--jobs")) {
        const std::optional<int> number = WholeNumber(*jobs);
        if (*jobs != "auto" && (!number || *number < 1)) {
            error = "--jobs takes auto or a number of files from 1 on, not " + *jobs;
            return false;
        }
        request.filesAtOnce = number.value_or(kFilesAtOnceAuto);
    }
    if (const auto out = Value(values, "--out")) {
        if (out->empty()) {
            error = "--out needs a folder";
            return false;
        }
        request.outputFolder = *out;
    }
    return true;
}

} // namespace

std::optional<double> ParseClockTime(const std::string& text)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == ':')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() > 3)
        return std::nullopt;
    double seconds = 0.0;
    for (std::size_t at = 0; at < parts.size(); ++at) {
        const std::string& part = parts[at];
        const bool last = at + 1 == parts.size();
        double value = 0.0;
        const char* end = part.data() + part.size();
        const auto [stop, failure] = std::from_chars(part.data(), end, value);
        const bool digitsOnly
            = part.find_first_not_of(last ? "0123456789." : "0123456789") == std::string::npos;
        if (part.empty() || failure != std::errc() || stop != end || !digitsOnly)
            return std::nullopt;
        if (at > 0 && value >= 60.0)
            return std::nullopt;
        seconds = seconds * 60.0 + value;
    }
    return seconds * 1000.0;
}

ParsedArguments ParseConvertArguments(std::span<const std::string> arguments)
{
    ConvertRequest request;
    request.mpegType = kDefaultMpegType;
    Values values;
    std::string error;
    if (!Collect(arguments, request, values, error))
        return { std::nullopt, error };
    if (request.showHelp || request.showList)
        return { request, {} };
    if (!ApplyKind(values, request, error) || !ApplyKindOptions(values, request, error)
        || !ApplyRunOptions(values, request, error))
        return { std::nullopt, error };
    if (request.files.empty())
        return { std::nullopt, "no files to convert" };
    return { request, {} };
}

} // namespace kelvara::cli
