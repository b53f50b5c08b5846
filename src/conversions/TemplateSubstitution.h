// Turning a device profile's command template into a command for one job:
// every "$" placeholder replaced by the job's and the device panel's values.
#pragma once

#include "jobs/JobRecord.h"
#include "options/DeviceValues.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelvara {

struct LocalDateTime {
    int year = 1970;
    int month = 1; // 1 to 12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local date and time now, for "$TIMESTAMP".
LocalDateTime CurrentLocalDateTime();

// The selected positions of the device panel's value lists; -1 for none.
struct DeviceSelections {
    int videoSize = 0;
    int videoBitrate = 0;
    int frameRate = 0;
    int audioBitrate = 0;
    int channel = 0;
    int aspect = 0;
    int audioSample = 0;

    int At(DeviceList list) const;
};

// What the dialog provides besides the job.
struct SubstitutionContext {
    std::string outputFolder; // ends in "/"
    DeviceKind device = DeviceKind::Psp;
    int profileSelection = 0; // position in the device panel's profile list
    DeviceSelections selections;
    LocalDateTime now;
    // What "$OUTPUT_FILE" stands for when set: the name the conversion
    // chose so that no file of the output folder is met.
    std::optional<std::string> outputFile;
};

// What "$OUTPUT_FILE" stands for: the chosen name when there is one, else
// the PSP's numbered name, else the title.
std::string OutputFileName(const JobRecord& job, const SubstitutionContext& context);

// The command for `job` from `commandTemplate`. The placeholders are
// replaced in this order, each at every occurrence, case-sensitively:
// $INPUT_FILE, $START, $LENGTH, $TITLE, $TIMESTAMP, $OUTPUT_DIR, $OUTPUT_FILE,
// then the device's values. Paths and names are escaped for use between
// single quotes. A value inserted for $INPUT_FILE, $OUTPUT_DIR or
// $OUTPUT_FILE is never searched for later placeholders: a file name that
// holds "$SIZE" stays a file name. The title is: a title "$SIZE" becomes the
// selected size.
std::string SubstituteTemplate(
    std::string_view commandTemplate, const JobRecord& job, const SubstitutionContext& context);

} // namespace kelvara
