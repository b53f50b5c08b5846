// The conversions that the video-editing component performs: whole AVI and
// MPEG conversions, and the intermediate file of a VOB, RealMedia or DAT
// source that the encoder then reads.
#pragma once

#include "runner/EncodeSpeed.h"

#include <string>

namespace kelvara {

struct ConversionContext;
class OptionSelections;
class RandomNumbers;
class VideoEditControl;

class VideoEditConversions {
public:
    VideoEditConversions(ConversionContext& context, VideoEditControl& component,
        const OptionSelections& options, RandomNumbers& numbers);

    // Writes the job's intermediate file and waits for it, servicing the
    // window. True when the file is there for the encoder; otherwise the job
    // is stopped, or marked failed with the reason.
    bool MakeIntermediateFile(int jobIndex);

    // Converts the job to AVI or MPEG into `outputPath` and waits for the
    // end. False when the component could not start (the job is then failed).
    bool ConvertWithVideoEdit(int jobIndex, const std::string& outputPath);

    // The component's events: its conversion is complete; its progress.
    void OnVideoEditComplete();
    void OnVideoEditProgress(double position, double total);

    bool ComponentBusy() const { return m_componentBusy; }
    // A batch starts with the component idle.
    void ClearBusy() { m_componentBusy = false; }

private:
    void SetUpIntermediate(bool mpeg, int videoCodec, int audioCodec);
    void SetUpAvi(const std::string& frameRateText);
    void SetUpMpeg();
    std::string ReserveIntermediatePath(const std::string& titleCopy, bool mpeg, std::string& reason);
    void WaitForIntermediate();
    void FinishIntermediate(int jobIndex);
    void FinishComponentJob(int jobIndex, const std::string& outputPath);
    // The component's last lines of the conversion that ended, into the job's run record.
    void KeepComponentOutput(int jobIndex);

    ConversionContext& m_context;
    VideoEditControl& m_component;
    const OptionSelections& m_options;
    RandomNumbers& m_numbers;
    bool m_componentBusy = false;
    EncodeSpeed m_speed;
};

// The decimal number at the start of a list text ("29.97 HZ" gives 29.97,
// "128 Kbit/s" 128); 0 when the text does not start with one.
double LeadingNumberOf(const std::string& text);

// Codec discovery for intermediate files: the position of the last name that
// contains `preferred`, else of the last that contains `fallback`, else -1.
class CodecList;
int FindCodec(const CodecList& codecs, const std::string& preferred, const std::string& fallback);

} // namespace kelvara
