// The arguments of `kelvara --convert`: what to convert, to which kind, with
// which of the window's options, or a usage error that says what is wrong.
#pragma once

#include "batch/FilesAtOnce.h"
#include "options/OutputKind.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelvara::cli {

struct TrimSpan {
    double startMs = 0.0;
    double endMs = 0.0;
};

struct ConvertRequest {
    bool showHelp = false;
    bool showList = false;
    OutputKind kind;
    // Positions in the window's lists, as the panels would select them.
    int picturePosition = 0;
    int mpegType = 0;
    int audioBitratePosition = 0; // 0: Auto
    int sampleRatePosition = 0; // 0: Same As Input File
    // Empty: the folder the window remembers.
    std::string outputFolder;
    // The device profile's position in the panel's list; none: the profile
    // the panel starts the kind with.
    std::optional<int> profile;
    std::optional<TrimSpan> trim;
    // kFilesAtOnceAuto or a number of files.
    int filesAtOnce = kFilesAtOnceAuto; // as the window starts
    std::vector<std::string> files;
};

struct ParsedArguments {
    std::optional<ConvertRequest> request;
    // Set when `request` is not: one line saying what is wrong.
    std::string usageError;
};

// `arguments` are those after "--convert". "--" ends the options; an option's
// value follows it or is joined to it by "=".
ParsedArguments ParseConvertArguments(std::span<const std::string> arguments);

// "HH:MM:SS[.mmm]" (hours and minutes may be left out) in milliseconds.
std::optional<double> ParseClockTime(const std::string& text);

} // namespace kelvara::cli
