// tarvoconverter: the command-line encoder that Kelvara starts once per
// conversion. It translates Kelvara's command lines for ffmpeg, runs ffmpeg,
// reports progress as status lines and writes the picture types that ffmpeg
// cannot write.
#include "Conversion.h"

int main(int argc, char* argv[])
{
    return static_cast<int>(kelvara::tarvo::RunConversion(std::vector<std::string>(argv + 1, argv + argc)));
}
