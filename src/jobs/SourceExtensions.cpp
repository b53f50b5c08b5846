#include "SourceExtensions.h"

#include <algorithm>
#include <array>

namespace kelvara {

namespace {

// A type is listed under the first extension that has it. Old aliases stay
// beside the current names (video/vnd.avi and video/x-msvideo): file managers
// match either. ".ts" is also Qt's translation files (text/vnd.trolltech.
// linguist), which are not ours to open.
constexpr std::array kSourceExtensions = {
    SourceExtension { "avi", "AVI Files", "video/x-msvideo;video/vnd.avi" },
    SourceExtension { "divx", "AVI Files", "video/x-msvideo" },
    SourceExtension { "mov", "QuickTime Files", "video/quicktime" },
    SourceExtension { "qt", "QuickTime Files", "video/quicktime" },
    SourceExtension { "mpg", "MPEG Files", "video/mpeg" },
    SourceExtension { "mpeg", "MPEG Files", "video/mpeg" },
    SourceExtension { "mpe", "MPEG Files", "video/mpeg" },
    SourceExtension { "mp4", "MP4 Files", "video/mp4" },
    SourceExtension { "m4v", "MP4 Files", "video/mp4" },
    SourceExtension { "mkv", "Matroska and WebM Files", "video/x-matroska" },
    SourceExtension { "webm", "Matroska and WebM Files", "video/webm" },
    SourceExtension { "mka", "Matroska and WebM Files", "audio/x-matroska" },
    SourceExtension { "ts", "MPEG Transport Streams", "video/mp2t" },
    SourceExtension { "m2ts", "MPEG Transport Streams", "video/mp2t" },
    SourceExtension { "mts", "MPEG Transport Streams", "video/mp2t" },
    SourceExtension { "wmv", "Windows Media Files", "video/x-ms-wmv" },
    SourceExtension { "wma", "Windows Media Files", "audio/x-ms-wma" },
    SourceExtension { "asf", "Windows Media Files", "video/x-ms-asf;application/vnd.ms-asf" },
    SourceExtension { "rm", "RealMedia Files", "application/vnd.rn-realmedia" },
    SourceExtension {
        "rmvb", "RealMedia Files", "application/vnd.rn-realmedia;application/vnd.rn-realmedia-vbr" },
    SourceExtension { "vob", "DVD Files", "video/mpeg" },
    SourceExtension { "dat", "VCD Files", "" },
    SourceExtension { "3gp", "3GP Files", "video/3gpp" },
    SourceExtension { "3g2", "3GP Files", "video/3gpp2" },
    SourceExtension { "flv", "Flash Video Files", "video/x-flv" },
    SourceExtension { "ogv", "Ogg Files", "video/ogg" },
    SourceExtension { "ogg", "Ogg Files",
        "audio/ogg;video/ogg;audio/x-vorbis+ogg;audio/x-flac+ogg;audio/x-speex+ogg;video/x-theora+ogg" },
    SourceExtension { "oga", "Ogg Files", "audio/ogg;audio/x-vorbis+ogg;audio/x-flac+ogg;audio/x-speex+ogg" },
    SourceExtension { "opus", "Ogg Files", "audio/ogg;audio/x-opus+ogg" },
    SourceExtension { "dv", "DV Files", "video/dv" },
    SourceExtension { "mp3", "Audio Files", "audio/mpeg" },
    SourceExtension { "flac", "Audio Files", "audio/flac" },
    SourceExtension { "wav", "Audio Files", "audio/x-wav" },
    SourceExtension { "m4a", "Audio Files", "audio/mp4" },
    SourceExtension { "aac", "Audio Files", "audio/aac" },
    SourceExtension { "ac3", "Audio Files", "audio/ac3" },
    SourceExtension { "mp2", "Audio Files", "audio/mp2;video/mpeg" },
    SourceExtension { "aif", "Audio Files", "audio/x-aiff" },
    SourceExtension { "aiff", "Audio Files", "audio/x-aiff" },
    SourceExtension { "amr", "Audio Files", "audio/AMR" },
    SourceExtension { "wv", "Audio Files", "audio/x-wavpack" },
};

} // namespace

std::span<const SourceExtension> SourceExtensions()
{
    return kSourceExtensions;
}

std::vector<std::string> SourceMimeTypes()
{
    std::vector<std::string> types;
    for (const SourceExtension& source : kSourceExtensions) {
        std::string_view rest = source.mimeTypes;
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find(';'), rest.size());
            const std::string type(rest.substr(0, end));
            if (std::find(types.begin(), types.end(), type) == types.end())
                types.push_back(type);
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    return types;
}

} // namespace kelvara
