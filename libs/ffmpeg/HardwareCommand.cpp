#include "HardwareCommand.h"

#include "process/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace kelvara {

namespace {

using Arguments = std::vector<std::string>;

constexpr std::string_view kVideoCodecOptions[] = { "-c:v", "-vcodec", "-codec:v" };
// Options of x264, x265 and SVT-AV1 that a card's encoder does not take or
// reads differently (SVT-AV1's presets are numbers, NVENC's are names).
constexpr std::string_view kSoftwareOnlyOptions[]
    = { "-preset", "-tune", "-x264-params", "-x264opts", "-x265-params", "-svtav1-params" };
// The quality scales: x264 and x265 run to 51, SVT-AV1 to 63; NVENC takes
// 51 at most, VA-API's AV1 a quantiser four times as fine.
constexpr int kHighestCardQuality = 51;
constexpr int kVaapiAv1QualityScale = 4;

// "-preset" and "-preset:v" alike.
std::string_view OptionName(std::string_view token)
{
    const std::size_t colon = token.find(':', 1);
    return colon == std::string_view::npos ? token : token.substr(0, colon);
}

bool IsOneOf(std::string_view token, std::span<const std::string_view> names)
{
    return std::ranges::find(names, token) != names.end();
}

bool IsVideoCodecOption(std::string_view token)
{
    return IsOneOf(token, kVideoCodecOptions);
}

// Where the output's options begin: after the last input.
std::size_t OutputOptionsStart(const Arguments& arguments)
{
    std::size_t start = 1;
    for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-i")
            start = i + 2;
    }
    return start;
}

// The quality a card takes for a constant-rate factor; nothing when the
// value is not a number.
std::optional<int> CardQuality(std::string_view crf, const UsableEncoder& encoder)
{
    int value = 0;
    const auto [end, error] = std::from_chars(crf.data(), crf.data() + crf.size(), value);
    if (error != std::errc() || value < 0)
        return std::nullopt;
    if (encoder.api == HardwareApi::Vaapi && encoder.codec == VideoCodec::Av1)
        return value * kVaapiAv1QualityScale;
    return std::min(value, kHighestCardQuality);
}

bool NeedsNoQuotes(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || std::string_view("_-+=.,:/@%").find(c) != std::string_view::npos;
}

std::string JoinCommandLine(const Arguments& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        const bool plain = !argument.empty() && std::ranges::all_of(argument, NeedsNoQuotes);
        line += plain ? argument : QuoteArgument(argument);
    }
    return line;
}

// The rewriting of one command's output options for one encoder.
class CardCommand {
public:
    CardCommand(const UsableEncoder& encoder, bool givesBitrate)
        : m_encoder(encoder)
        , m_vaapi(encoder.api == HardwareApi::Vaapi)
        , m_givesBitrate(givesBitrate)
    {
    }

    // Takes the argument at `i`, with the value that follows when it is an
    // option this rewriting reads (each of which takes one); `last` is the
    // output file, never a value. Returns the index of the last argument
    // taken. Any other argument is copied on its own, so that an option
    // without a value never swallows the option after it.
    std::size_t Take(const Arguments& in, std::size_t i, std::size_t last)
    {
        const std::string& token = in[i];
        if (i + 1 >= last || !Reads(token, in[i + 1])) {
            m_out.push_back(token);
            return i;
        }
        const std::string_view name = OptionName(token);
        const std::string& value = in[i + 1];
        if (IsVideoCodecOption(token))
            PutEncoder();
        else if (name == "-crf")
            PutQuality(value);
        else if (name == "-vf" || token == "-filter:v")
            m_filters.push_back(value);
        else if (name == "-s")
            m_size = value;
        else if (name == "-pix_fmt")
            m_tenBit = value.find("10") != std::string::npos;
        else if (name == "-profile")
            m_out.insert(m_out.end(), { token, "constrained_baseline" }); // VA-API's name for it
        // The software encoder's own options are left out.
        return i + 1;
    }

    Arguments Finish()
    {
        if (m_vaapi)
            PutUpload();
        return std::move(m_out);
    }

    Arguments& Out() { return m_out; }

private:
    bool Reads(const std::string& token, const std::string& value) const
    {
        const std::string_view name = OptionName(token);
        if (IsVideoCodecOption(token) || name == "-crf" || IsOneOf(name, kSoftwareOnlyOptions))
            return true;
        // NVENC takes the frames as they come, in memory.
        return m_vaapi
            && (name == "-vf" || token == "-filter:v" || name == "-s" || name == "-pix_fmt"
                || (name == "-profile" && value == "baseline"));
    }

    void PutEncoder()
    {
        if (m_vaapi)
            m_out.insert(m_out.end(), { "-vaapi_device", m_encoder.device });
        m_out.insert(m_out.end(), { "-c:v", m_encoder.name });
    }

    void PutQuality(const std::string& crf)
    {
        const std::optional<int> quality = CardQuality(crf, m_encoder);
        if (!quality)
            return;
        if (m_vaapi) {
            m_out.insert(m_out.end(), { "-rc_mode", "CQP", "-global_quality", std::to_string(*quality) });
            return;
        }
        m_out.insert(m_out.end(), { "-rc", "vbr", "-cq", std::to_string(*quality) });
        // Without it NVENC holds the quality to its default bitrate.
        if (!m_givesBitrate)
            m_out.insert(m_out.end(), { "-b:v", "0" });
    }

    // The frames go to the card last, once every filter and the frame size
    // of the profile are applied, in the card's own pixel layout.
    void PutUpload()
    {
        std::vector<std::string> chain = m_filters;
        if (m_size) {
            std::string size = *m_size;
            std::ranges::replace(size, '*', ':');
            std::ranges::replace(size, 'x', ':');
            chain.push_back("scale=" + size);
        }
        chain.push_back(m_tenBit ? "format=p010" : "format=nv12");
        chain.emplace_back("hwupload");
        std::string graph;
        for (const std::string& filter : chain)
            graph += (graph.empty() ? "" : ",") + filter;
        m_out.insert(m_out.end(), { "-vf", graph });
    }

    const UsableEncoder& m_encoder;
    bool m_vaapi;
    bool m_givesBitrate;
    Arguments m_out;
    std::vector<std::string> m_filters;
    std::optional<std::string> m_size;
    bool m_tenBit = false;
};

// The software encoder the output options name, with its place.
std::optional<std::size_t> SoftwareEncoderAt(const Arguments& arguments, std::size_t start)
{
    for (std::size_t i = start; i + 1 < arguments.size(); ++i) {
        if (IsVideoCodecOption(arguments[i]) && CodecOfSoftwareEncoder(arguments[i + 1]))
            return i;
    }
    return std::nullopt;
}

} // namespace

std::optional<VideoCodec> CodecOfSoftwareEncoder(std::string_view encoder)
{
    if (encoder == "libx264")
        return VideoCodec::H264;
    if (encoder == "libx265")
        return VideoCodec::Hevc;
    if (encoder == "libsvtav1")
        return VideoCodec::Av1;
    return std::nullopt;
}

std::optional<std::string> WithHardwareEncoder(
    std::string_view command, std::span<const UsableEncoder> usable)
{
    const std::optional<Arguments> arguments = SplitCommandLine(command);
    if (!arguments || arguments->empty())
        return std::nullopt;
    const std::size_t start = OutputOptionsStart(*arguments);
    const std::optional<std::size_t> encoderAt = SoftwareEncoderAt(*arguments, start);
    if (!encoderAt)
        return std::nullopt;
    const VideoCodec codec = *CodecOfSoftwareEncoder((*arguments)[*encoderAt + 1]);
    const auto encoder = std::ranges::find(usable, codec, &UsableEncoder::codec);
    const auto has = [&](std::string_view name) { return std::ranges::count(*arguments, name) > 0; };
    if (encoder == usable.end() || has("-filter_complex") || has("-lavfi"))
        return std::nullopt;
    CardCommand card(*encoder, has("-b:v"));
    card.Out().assign(arguments->begin(), arguments->begin() + static_cast<std::ptrdiff_t>(start));
    // The last argument is the output file, never an option's value.
    const std::size_t last = arguments->size() - 1;
    for (std::size_t i = start; i < last; ++i)
        i = card.Take(*arguments, i, last);
    Arguments out = card.Finish();
    out.push_back(arguments->back());
    return JoinCommandLine(out);
}

} // namespace kelvara
