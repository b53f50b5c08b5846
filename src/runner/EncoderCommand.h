// One command line for the encoder or an auxiliary tool: the program's bare
// name, then options and quoted file names. Split into arguments by our own
// tokenizer; no shell ever sees it, and it has no length limit.
#pragma once

#include <string>

namespace kelvara {

using EncoderCommand = std::string;

} // namespace kelvara
