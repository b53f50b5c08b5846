// Which of ffmpeg's options take a value: what tells an option's value from a
// file name on ffmpeg's command line, where every other bare argument names
// an output.
#pragma once

#include <span>
#include <string_view>

namespace kelvara::tarvo {

// `option` is written without its dash; a stream specifier (":v", ":a:0")
// does not change the answer. True unless ffmpeg's own option table gives the
// option no value, or it is the "no" form of one of ffmpeg's booleans
// ("-nostdin", "-noautorotate"). Options of codecs, formats and filters
// ("-preset", "-movflags") always take a value on ffmpeg's command line, and
// so does an option ffmpeg does not know, which it then refuses anyway.
bool OptionTakesValue(std::string_view option);

// The tables behind the answer, for the test that holds them against the
// installed ffmpeg.
std::span<const std::string_view> OptionsWithoutValue();
std::span<const std::string_view> NegatableOptions();

} // namespace kelvara::tarvo
