// The command-line tokenizer on any line, and the quoting it must agree
// with: every argument it splits off, quoted again, splits back unchanged,
// and so does the whole input taken as one file name.
#include "FuzzFile.h"
#include "process/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kelvara::fuzz::Broken;

void CheckRoundTrip(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "" : " ") + kelvara::QuoteArgument(argument);
    const auto again = kelvara::SplitCommandLine(line);
    if (!again || *again != arguments)
        Broken("quoted arguments split back into the same arguments");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto arguments = kelvara::SplitCommandLine(text))
        CheckRoundTrip(*arguments);
    CheckRoundTrip({ std::string(text) });
    return 0;
}
