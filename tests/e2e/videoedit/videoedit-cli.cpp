// videoedit-cli: drives the video-editing component from the command line,
// for the end-to-end tests and for anyone debugging the component.
//
//   videoedit-cli probe FILE
//   videoedit-cli codecs
//   videoedit-cli convert [--format N] [--width W] [--height H] [--fps F]
//       [--vcodec I] [--acodec I] [--abitrate KBITS] [--rate HZ]
//       --start S --end E IN OUT
#include "videoedit/CVideoEdit.h"
#include "videoedit/FfmpegArguments.h"
#include "videoedit/MediaInfo.h"

#include <QCoreApplication>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace kelvara;

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kCannotStart = 3;

const char* const kUsageText
    = "usage: videoedit-cli probe FILE\n"
      "       videoedit-cli codecs\n"
      "       videoedit-cli convert [--format N] [--width W] [--height H] [--fps F]\n"
      "           [--vcodec I] [--acodec I] [--abitrate KBITS] [--rate HZ]\n"
      "           --start S --end E IN OUT\n";

int Usage()
{
    std::fputs(kUsageText, stderr);
    return kUsage;
}

template <typename Number> std::optional<Number> ParseNumber(const std::string& text)
{
    Number value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int Probe(const std::string& path)
{
    CVideoEdit component;
    std::printf("duration=%s width=%d height=%d\n", SecondsText(component.GetFileDuration(path)).c_str(),
        component.GetFileWidth(path), component.GetFileHeight(path));
    // The all-zero line is the answer a caller parses; the status says it
    // is no answer about a real file.
    return ReadMediaInfo(path).readable ? 0 : kFailed;
}

void PrintList(const char* kind, const CodecList& list)
{
    for (std::int16_t index = 0; index < list.Count(); ++index)
        std::printf("%s %d %s\n", kind, index, list.Item(index).c_str());
}

int Codecs()
{
    CVideoEdit component;
    PrintList("video", component.VideoCodecs());
    PrintList("audio", component.AudioCodecs());
    return 0;
}

struct ConvertOptions {
    std::map<std::string, std::string> values; // option name -> text
    std::vector<std::string> paths;
};

std::optional<ConvertOptions> ReadConvertOptions(const std::vector<std::string>& arguments)
{
    static const std::vector<std::string> kKnown = { "--format", "--width", "--height", "--fps", "--vcodec",
        "--acodec", "--abitrate", "--rate", "--start", "--end" };
    ConvertOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (std::find(kKnown.begin(), kKnown.end(), argument) != kKnown.end()) {
            if (i + 1 == arguments.size())
                return std::nullopt;
            options.values[argument] = arguments[++i];
        } else {
            options.paths.push_back(argument);
        }
    }
    if (options.paths.size() != 2 || !options.values.count("--start") || !options.values.count("--end"))
        return std::nullopt;
    return options;
}

// Applies one integer option with `apply`; false when its text is no integer.
template <typename Apply> bool ApplyInteger(const ConvertOptions& options, const char* name, Apply apply)
{
    const auto found = options.values.find(name);
    if (found == options.values.end())
        return true;
    const std::optional<int> value = ParseNumber<int>(found->second);
    if (value)
        apply(*value);
    return value.has_value();
}

bool ApplyProperties(const ConvertOptions& options, CVideoEdit& component)
{
    bool ok = ApplyInteger(options, "--format", [&](int v) {
        component.SetOutputFormat(v);
    }) && ApplyInteger(options, "--width", [&](int v) {
        component.SetOutputWidth(static_cast<std::int16_t>(v));
    }) && ApplyInteger(options, "--height", [&](int v) {
        component.SetOutputHeight(static_cast<std::int16_t>(v));
    }) && ApplyInteger(options, "--vcodec", [&](int v) {
        component.SetUseVideoCodec(true);
        component.SetVideoCodecIndex(static_cast<std::int16_t>(v));
    }) && ApplyInteger(options, "--acodec", [&](int v) {
        component.SetUseAudioCodec(true);
        component.SetAudioCodecIndex(static_cast<std::int16_t>(v));
    }) && ApplyInteger(options, "--abitrate", [&](int v) {
        component.SetOutputAudioBitrate(v);
    }) && ApplyInteger(options, "--rate", [&](int v) { component.SetOutputSampleRate(v); });
    if (const auto fps = options.values.find("--fps"); ok && fps != options.values.end()) {
        const std::optional<float> value = ParseNumber<float>(fps->second);
        ok = value.has_value();
        if (ok)
            component.SetOutputFrameRate(*value);
    }
    component.SetOutputDepth(24);
    return ok;
}

int Convert(int argc, char** argv, const std::vector<std::string>& arguments)
{
    const std::optional<ConvertOptions> options = ReadConvertOptions(arguments);
    if (!options)
        return Usage();
    const std::optional<double> start = ParseNumber<double>(options->values.at("--start"));
    const std::optional<double> end = ParseNumber<double>(options->values.at("--end"));
    if (!start || !end)
        return Usage();

    QCoreApplication application(argc, argv);
    CVideoEdit component;
    if (!ApplyProperties(*options, component))
        return Usage();
    const std::string& source = options->paths[0];
    // The program describes its clip twice, the same way.
    component.ClearClips();
    component.AddClipEx(source, *start, *end, 0);
    component.AddClip(source, *start, *end);

    QObject::connect(&component, &CVideoEdit::ConvertProgress, [](double position, double total) {
        std::printf("progress %s %s\n", SecondsText(position).c_str(), SecondsText(total).c_str());
        std::fflush(stdout);
    });
    QObject::connect(&component, &CVideoEdit::ConvertComplete, [&] {
        std::printf("complete\n");
        std::fflush(stdout);
        if (!component.LastConvertSucceeded())
            std::fprintf(
                stderr, "videoedit-cli: conversion failed: %s\n", component.LastConvertError().c_str());
        application.exit(component.LastConvertSucceeded() ? 0 : kFailed);
    });
    if (const ConvertStart start = component.StartConvert(options->paths[1]); !start) {
        std::fprintf(stderr, "videoedit-cli: the conversion cannot start: %s\n", start.Reason().c_str());
        return kCannotStart;
    }
    return application.exec();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 2 && arguments[0] == "probe")
        return Probe(arguments[1]);
    if (arguments.size() == 1 && arguments[0] == "codecs")
        return Codecs();
    if (!arguments.empty() && arguments[0] == "convert")
        return Convert(argc, argv, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    return Usage();
}
