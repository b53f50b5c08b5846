#include "batch/EncoderCheck.h"

#include "batch/BatchHost.h"

#include <cerrno>

namespace kelvara {

namespace {

// Debian's ffmpeg program comes in the package of the same name.
constexpr const char* kEncoderPackage = "ffmpeg";

} // namespace

std::optional<std::string> MissingEncoderText(const FfmpegProgram& ffmpeg)
{
    if (ffmpeg.found.Found())
        return std::nullopt;
    const std::string what = ffmpeg.found.error == EACCES ? " cannot be run." : " is missing.";
    return "Kelvara cannot convert: the program " + ffmpeg.name + what + " Install the Debian package \""
        + kEncoderPackage + "\" (sudo apt-get install " + kEncoderPackage + ").";
}

std::optional<std::string> MissingEncoderText()
{
    return MissingEncoderText(WhichFfmpeg());
}

bool TellMissingEncoder(BatchHost& host)
{
    const std::optional<std::string> text = MissingEncoderText();
    if (text)
        host.ShowMessage(*text, kMissingEncoderTitle, MessageIcon::Error);
    return text.has_value();
}

} // namespace kelvara
