#include "BuiltInCommands.h"

#include "naming/OutputNaming.h"
#include "naming/TimeText.h"
#include "options/AudioKindOptions.h"
#include "options/OptionSelections.h"
#include "process/CommandLine.h"

#include <array>
#include <string_view>

namespace kelvara {

namespace {

constexpr std::array<std::string_view, 12> kAudioBitrateOptions = {
    "",
    "-ab 32",
    "-ab 48",
    "-ab 64",
    "-ab 80",
    "-ab 96",
    "-ab 128",
    "-ab 160",
    "-ab 192",
    "-ab 224",
    "-ab 256",
    "-ab 320",
};
constexpr std::array<std::string_view, 7> kSampleRateOptions = {
    "",
    "-ar 8000",
    "-ar 16000",
    "-ar 22050",
    "-ar 32000",
    "-ar 44100",
    "-ar 48000",
};

// AAC and ALAC share the .m4a name, by which the encoder picks AAC; the
// other kinds are told by their name alone and keep their command as it was.
std::string AudioOutputPiece(const std::string& outputPath, int audioKind)
{
    const std::string output = QuoteArgument(outputPath);
    return audioKind == static_cast<int>(AudioKind::Alac) ? "-c:a alac " + output : output;
}

template <std::size_t N> std::string OptionAt(const std::array<std::string_view, N>& table, int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= N)
        return {};
    return std::string(table[static_cast<std::size_t>(position)]);
}

std::string StartPiece(const JobRecord& job)
{
    return "-ss " + TrimTimeText(job.trimStartMs);
}

// Empty when the trim runs to the source's end: the encoder reads it all.
std::string LengthPiece(const JobRecord& job)
{
    if (TrimRunsToSourceEnd(job))
        return {};
    return "-t " + TrimTimeText(job.trimEndMs - job.trimStartMs);
}

std::string SizePiece(const JobRecord& job, const OptionSelections& options)
{
    const bool original = options.UseOriginalSize();
    const int width = original ? job.sourceWidth : job.outputWidth;
    const int height = original ? job.sourceHeight : job.outputHeight;
    return "-s " + std::to_string(width) + "*" + std::to_string(height);
}

// Pieces joined by one blank each; an empty piece leaves its blanks in place.
std::string Join(std::initializer_list<std::string> pieces)
{
    std::string line;
    for (const std::string& piece : pieces) {
        if (!line.empty())
            line += ' ';
        line += piece;
    }
    return line;
}

} // namespace

const std::string& EncoderInputOf(const JobRecord& job)
{
    return job.NeedsIntermediateFile() ? job.intermediatePath : job.sourcePath;
}

EncoderCommand BuildImageCommand(
    const JobRecord& job, const std::string& outputFolder, const OptionSelections& options)
{
    const int position = options.PictureTypePosition();
    const std::string output = ImageOutputPath(outputFolder, job.outputTitle, position);
    if (output.empty())
        return {};
    const std::string input = QuoteArgument(EncoderInputOf(job));
    const std::string size = SizePiece(job, options);
    if (position == 0) {
        // A GIF animation of an intermediate file has no range of its own:
        // the progress parser stops the encoder at the trimmed length.
        const bool fromIntermediate = job.NeedsIntermediateFile();
        return Join({ "tarvoconverter -i", input, fromIntermediate ? "" : StartPiece(job),
            fromIntermediate ? "" : LengthPiece(job), size, QuoteArgument(output) });
    }
    // The intermediate file of a still picture begins at the trim start.
    const std::string start = job.NeedsIntermediateFile() ? "-ss " + TrimTimeText(0.0) : StartPiece(job);
    return Join({ "tarvoconverter -i", input, "-f image2", start, "-t 0.001", size, QuoteArgument(output) });
}

EncoderCommand BuildAudioCommand(
    const JobRecord& job, const std::string& outputFolder, int audioKind, const OptionSelections& options)
{
    const bool fromIntermediate = job.NeedsIntermediateFile();
    return Join({ "tarvoconverter -i", QuoteArgument(EncoderInputOf(job)),
        fromIntermediate ? "" : StartPiece(job), fromIntermediate ? "" : LengthPiece(job),
        AudioKindTakesBitrate(audioKind) ? OptionAt(kAudioBitrateOptions, options.AudioBitratePosition())
                                         : "",
        OptionAt(kSampleRateOptions, options.AudioSampleRatePosition()),
        AudioOutputPiece(AudioOutputPath(outputFolder, job.outputTitle, audioKind), audioKind) });
}

} // namespace kelvara
