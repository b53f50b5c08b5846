#include "TemplateSubstitution.h"

#include "naming/OutputNaming.h"
#include "naming/TimeText.h"
#include "process/CommandLine.h"

#include <cstdio>
#include <ctime>
#include <vector>

namespace kelvara {

namespace {

// The command under construction: template text and inserted values. Text
// that is open is still searched for placeholders; a protected path is not.
struct Piece {
    std::string text;
    bool open = true;
};

enum class Protection { None, Path };

// Joins neighbouring open pieces, so that a placeholder spread over template
// text and an inserted title is found as it would be in one text.
void MergeOpenNeighbours(std::vector<Piece>& pieces)
{
    std::vector<Piece> merged;
    for (Piece& piece : pieces) {
        if (piece.text.empty())
            continue;
        if (!merged.empty() && merged.back().open && piece.open)
            merged.back().text += piece.text;
        else
            merged.push_back(std::move(piece));
    }
    pieces = std::move(merged);
}

void ReplaceEverywhere(
    std::vector<Piece>& pieces, std::string_view placeholder, std::string_view value, Protection protection)
{
    std::vector<Piece> result;
    for (Piece& piece : pieces) {
        if (!piece.open) {
            result.push_back(std::move(piece));
            continue;
        }
        std::size_t from = 0;
        for (std::size_t at = piece.text.find(placeholder); at != std::string::npos;
             at = piece.text.find(placeholder, from)) {
            result.push_back({ piece.text.substr(from, at - from), true });
            result.push_back({ std::string(value), protection == Protection::None });
            from = at + placeholder.size();
        }
        result.push_back({ piece.text.substr(from), true });
    }
    pieces = std::move(result);
    MergeOpenNeighbours(pieces);
}

std::string Joined(const std::vector<Piece>& pieces)
{
    std::string text;
    for (const Piece& piece : pieces)
        text += piece.text;
    return text;
}

std::string FormatTimestamp(const LocalDateTime& now)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
        now.minute, now.second);
    return text;
}

} // namespace

std::string OutputFileName(const JobRecord& job, const SubstitutionContext& context)
{
    if (context.outputFile)
        return *context.outputFile;
    if (context.device == DeviceKind::Psp)
        return PspOutputFileName(job.fileNumber, context.profileSelection);
    return job.outputTitle;
}

LocalDateTime CurrentLocalDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return { local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec };
}

int DeviceSelections::At(DeviceList list) const
{
    switch (list) {
    case DeviceList::VideoSize:
        return videoSize;
    case DeviceList::VideoBitrate:
        return videoBitrate;
    case DeviceList::FrameRate:
        return frameRate;
    case DeviceList::AudioBitrate:
        return audioBitrate;
    case DeviceList::Channel:
        return channel;
    case DeviceList::Aspect:
        return aspect;
    case DeviceList::AudioSample:
        return audioSample;
    }
    return -1;
}

std::string SubstituteTemplate(
    std::string_view commandTemplate, const JobRecord& job, const SubstitutionContext& context)
{
    const bool intermediate = job.NeedsIntermediateFile();
    const std::string& input = intermediate ? job.intermediatePath : job.sourcePath;

    std::vector<Piece> pieces { { std::string(commandTemplate), true } };
    ReplaceEverywhere(pieces, "$INPUT_FILE", EscapeForSingleQuotes(input), Protection::Path);
    ReplaceEverywhere(pieces, "$START", intermediate ? " " : TrimTimeText(job.trimStartMs), Protection::None);
    // A blank hands the encoder no length: it reads on to the end.
    const bool wholeLength = intermediate || TrimRunsToSourceEnd(job);
    ReplaceEverywhere(pieces, "$LENGTH", wholeLength ? " " : TrimTimeText(job.trimEndMs - job.trimStartMs),
        Protection::None);
    ReplaceEverywhere(pieces, "$TITLE", EscapeForSingleQuotes(job.titleText), Protection::None);
    ReplaceEverywhere(pieces, "$TIMESTAMP", FormatTimestamp(context.now), Protection::None);
    ReplaceEverywhere(pieces, "$OUTPUT_DIR", EscapeForSingleQuotes(context.outputFolder), Protection::Path);
    ReplaceEverywhere(
        pieces, "$OUTPUT_FILE", EscapeForSingleQuotes(OutputFileName(job, context)), Protection::Path);
    for (const DeviceValueList& values : DeviceValueLists(context.device)) {
        ReplaceEverywhere(pieces, values.placeholder, ValueAt(values, context.selections.At(values.list)),
            Protection::None);
    }
    return Joined(pieces);
}

} // namespace kelvara
