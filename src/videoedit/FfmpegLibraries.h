// FFmpeg's libraries, opened when the first file is probed or the first
// encoder is looked up instead of linked into the program: libavformat maps
// some ninety libraries (network, disc, subtitle and codec libraries) that
// the window's first picture does not need.
//
// The probing and the encoder look-up call FFmpeg through the functions
// resolved here; the libraries are opened once per process and stay open.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace kelvara {

// The functions of FFmpeg's libraries the component calls directly.
struct FfmpegFunctions {
    decltype(&::av_log_set_level) log_set_level = nullptr;
    decltype(&::avformat_open_input) format_open_input = nullptr;
    decltype(&::avformat_find_stream_info) format_find_stream_info = nullptr;
    decltype(&::avformat_close_input) format_close_input = nullptr;
    decltype(&::av_find_best_stream) find_best_stream = nullptr;
    decltype(&::avcodec_find_encoder_by_name) codec_find_encoder_by_name = nullptr;
};

// Opens the libraries at the first call (from any thread; later calls wait
// for the first); null when they cannot be opened or lack a function.
const FfmpegFunctions* LoadFfmpeg();

} // namespace kelvara
