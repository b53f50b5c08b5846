#include "FfmpegOptionTable.h"

#include <algorithm>
#include <array>

namespace kelvara::tarvo {

namespace {

// ffmpeg 5.1's options that take no value, as its command-line splitter reads
// them. Its help cannot be asked instead: the help shows an argument name for
// some booleans ("-hide_banner hide_banner") and none for some options that
// do take one ("-filter_threads"), and "-autorotate", "-autoscale" and
// "-copypriorss" take a value though they look like switches. The
// information options ("-formats", "-h") end ffmpeg at once; they are here so
// that nothing after them is read as their value.
constexpr auto kOptionsWithoutValue = std::to_array<std::string_view>({
    "?",
    "L",
    "accurate_seek",
    "an",
    "auto_conversion_filters",
    "benchmark",
    "benchmark_all",
    "bitexact",
    "bsfs",
    "buildconf",
    "codecs",
    "colors",
    "copy_unknown",
    "copyinkf",
    "copyts",
    "debug_ts",
    "decoders",
    "demuxers",
    "devices",
    "dispositions",
    "dn",
    "dump",
    "encoders",
    "filters",
    "find_stream_info",
    "fix_sub_duration",
    "force_fps",
    "formats",
    "h",
    "help",
    "hex",
    "hide_banner",
    "hwaccels",
    "ignore_unknown",
    "layouts",
    "muxers",
    "n",
    "pix_fmts",
    "protocols",
    "psnr",
    "qphist",
    "re",
    "recast_media",
    "report",
    "sample_fmts",
    "shortest",
    "sinks",
    "sn",
    "sources",
    "start_at_zero",
    "stats",
    "stdin",
    "version",
    "vn",
    "vstats",
    "xerror",
    "y",
});

// The booleans whose "no" form ffmpeg accepts, without a value: most of the
// switches above, and two that otherwise take one.
constexpr auto kNegatableOptions = std::to_array<std::string_view>({
    "accurate_seek",
    "an",
    "auto_conversion_filters",
    "autorotate",
    "autoscale",
    "benchmark",
    "benchmark_all",
    "bitexact",
    "copy_unknown",
    "copyinkf",
    "copyts",
    "debug_ts",
    "dn",
    "dump",
    "find_stream_info",
    "fix_sub_duration",
    "force_fps",
    "hex",
    "hide_banner",
    "ignore_unknown",
    "n",
    "psnr",
    "qphist",
    "re",
    "recast_media",
    "report",
    "shortest",
    "sn",
    "start_at_zero",
    "stats",
    "stdin",
    "vn",
    "xerror",
    "y",
});

bool Lists(std::span<const std::string_view> table, std::string_view name)
{
    return std::find(table.begin(), table.end(), name) != table.end();
}

} // namespace

std::span<const std::string_view> OptionsWithoutValue()
{
    return kOptionsWithoutValue;
}

std::span<const std::string_view> NegatableOptions()
{
    return kNegatableOptions;
}

bool OptionTakesValue(std::string_view option)
{
    const std::string_view name = option.substr(0, option.find(':'));
    if (Lists(kOptionsWithoutValue, name))
        return false;
    return !(name.starts_with("no") && Lists(kNegatableOptions, name.substr(2)));
}

} // namespace kelvara::tarvo
