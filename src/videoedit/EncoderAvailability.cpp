#include "EncoderAvailability.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <string>

namespace kelvara {

bool FfmpegHasEncoder(std::string_view encoder)
{
    const std::string name(encoder);
    return avcodec_find_encoder_by_name(name.c_str()) != nullptr;
}

} // namespace kelvara
