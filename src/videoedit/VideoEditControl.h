// What the program asks of the video-editing component when it converts: the
// output properties, the clips, start and stop, and two events (complete;
// position and total) delivered on the GUI thread while the caller services
// messages. CVideoEdit is the real component; tests use fakes.
#pragma once

#include "videoedit/ConvertStart.h"

#include <cstdint>
#include <string>

namespace kelvara {

// A list of codec names; the property lists of the component.
class CodecList {
public:
    virtual ~CodecList() = default;
    virtual std::int16_t Count() const = 0;
    virtual std::string Item(std::int16_t index) const = 0;
};

// Output formats of the component.
enum class VideoEditFormat : std::int32_t {
    VcdPal = 0,
    VcdNtsc = 1,
    SvcdPal = 2,
    SvcdNtsc = 3,
    DvdPal = 4,
    DvdNtsc = 5,
    Mpeg1Standard = 6,
    Mpeg2Standard = 7,
    Avi = 8,
};

class VideoEditControl {
public:
    virtual ~VideoEditControl() = default;

    virtual void SetVideoCodecIndex(std::int16_t index) = 0;
    virtual const CodecList& VideoCodecs() const = 0;
    virtual void SetUseVideoCodec(bool use) = 0;
    virtual void SetAudioCodecIndex(std::int16_t index) = 0;
    virtual const CodecList& AudioCodecs() const = 0;
    virtual void SetUseAudioCodec(bool use) = 0;
    virtual void SetOutputHeight(std::int16_t height) = 0;
    virtual void SetOutputWidth(std::int16_t width) = 0;
    virtual void SetOutputDepth(std::int16_t depth) = 0; // always 24
    virtual void SetOutputFormat(std::int32_t format) = 0;
    virtual void SetOutputFrameRate(float framesPerSecond) = 0;
    virtual void SetOutputAudioBitrate(std::int32_t kbitsPerSecond) = 0;
    virtual void SetOutputSampleRate(std::int32_t hertz) = 0;

    // Starts converting the clips into `outputPath` in the background, or
    // says why it cannot start (no clip, unreadable source, missing or
    // read-only output folder, output equal to the source, no ffmpeg, ...).
    virtual ConvertStart StartConvert(const std::string& outputPath) = 0;
    // Times in seconds of the source.
    virtual bool AddClip(const std::string& path, double start, double end) = 0;
    virtual bool AddClipEx(const std::string& path, double start, double end, std::int16_t flag) = 0;
    virtual void ClearClips() = 0;
    // Ends a running conversion; nothing when none runs.
    virtual void StopConvert() = 0;
    // Ends a running conversion and removes what it wrote, also the part a
    // stop would keep because it plays: for a file nobody will play, such as
    // the intermediate file of a stopped job.
    virtual void StopConvertDiscardingOutput() = 0;

    // How the last conversion ended, once its completion event has come: a
    // failed one (the engine failed, or wrote nothing) says why.
    virtual bool LastConvertSucceeded() const = 0;
    virtual std::string LastConvertError() const = 0;
    // The engine's last lines of output of the last conversion, ended or
    // stopped, for the job's record; none when the engine keeps none.
    virtual std::string LastConvertOutput() const { return {}; }
};

} // namespace kelvara
