#include "videoedit/FfmpegLibraries.h"

#include <dlfcn.h>

namespace kelvara {
namespace {

// The file name of the libavformat the headers describe; it brings the
// libavcodec and libavutil it was built with, whose functions it finds too.
#define KELVARA_STRINGIFY_MAJOR(major) #major
#define KELVARA_LIBRARY_NAME(major) "libavformat.so." KELVARA_STRINGIFY_MAJOR(major)
constexpr const char* kFormatLibrary = KELVARA_LIBRARY_NAME(LIBAVFORMAT_VERSION_MAJOR);
#undef KELVARA_LIBRARY_NAME
#undef KELVARA_STRINGIFY_MAJOR

template <typename Function> void Resolve(void* library, const char* name, Function& function, bool& complete)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    complete = complete && function != nullptr;
}

const FfmpegFunctions* Open()
{
    // Local, and never closed: their symbols stand in for nothing else, and
    // what they hand out (contexts, codecs) may live as long as the process.
    void* library = dlopen(kFormatLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    static FfmpegFunctions functions;
    bool complete = true;
    Resolve(library, "av_log_set_level", functions.log_set_level, complete);
    Resolve(library, "avformat_open_input", functions.format_open_input, complete);
    Resolve(library, "avformat_find_stream_info", functions.format_find_stream_info, complete);
    Resolve(library, "avformat_close_input", functions.format_close_input, complete);
    Resolve(library, "av_find_best_stream", functions.find_best_stream, complete);
    Resolve(library, "avcodec_find_encoder_by_name", functions.codec_find_encoder_by_name, complete);
    return complete ? &functions : nullptr;
}

} // namespace

const FfmpegFunctions* LoadFfmpeg()
{
    static const FfmpegFunctions* const functions = Open();
    return functions;
}

} // namespace kelvara
