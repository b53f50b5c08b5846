// Until the tool directory holds the real encoder, its command lines are run
// through ffmpeg by the rules of the encoder's interface: "-ss" seeks in the
// input, "-s W*H" is a frame size, "-ab N" is in kbit/s, everything else goes
// to ffmpeg unchanged and in place. The real encoder is used when present.
#pragma once

#include <string>
#include <vector>

namespace kelvara::test {

// ffmpeg's arguments for an encoder command line (program name first).
std::vector<std::string> EncoderStandInArguments(const std::vector<std::string>& encoderCommand);

} // namespace kelvara::test
