#include "OptionDefaults.h"

#include "videoedit/VideoEditControl.h"

#include <algorithm>
#include <cctype>

namespace kelvara {

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
        && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a))
                   == std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

std::vector<std::string> CodecComboItems(const CodecList& codecs)
{
    std::vector<std::string> items;
    for (std::int16_t i = 0; i < codecs.Count(); ++i) {
        std::string name = codecs.Item(i);
        name.erase(0, name.find_first_not_of(' '));
        if (!name.empty())
            items.push_back(std::move(name));
    }
    return items;
}

int DefaultCodecPosition(const std::vector<std::string>& items, std::string_view prefix)
{
    const auto found = std::find_if(items.begin(), items.end(),
        [prefix](const std::string& item) { return StartsWithIgnoringCase(item, prefix); });
    return found == items.end() ? 0 : static_cast<int>(found - items.begin());
}

AviCodecDefaults DefaultAviCodecs(const CodecList& videoCodecs, const CodecList& audioCodecs)
{
    return { DefaultCodecPosition(CodecComboItems(videoCodecs), "DivX"),
        DefaultCodecPosition(CodecComboItems(audioCodecs), "MPEG Layer-3") };
}

} // namespace kelvara
