#include "OutputNaming.h"

namespace kelvara {

std::string PmpFirstStepVideoPath(const std::string& outputFolder, const std::string& title)
{
    return outputFolder + title + "0001.avi";
}

std::string PmpFirstStepAudioPath(const std::string& outputFolder, const std::string& title)
{
    return outputFolder + title + "0001.mp3";
}

std::string PmpFinalPath(const std::string& outputFolder, const std::string& title)
{
    return outputFolder + title + ".pmp";
}

} // namespace kelvara
