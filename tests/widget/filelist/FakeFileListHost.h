// A main dialog stand-in that records what the file list asks of it.
#pragma once

#include "filelist/FileListHost.h"
#include "filelist/SourceProbing.h"

#include <QStringList>
#include <QThread>

#include <map>
#include <string>

namespace kelvara {

// Panel options unlike the defaults in every field, so a new job shows
// where each of its options came from.
inline JobPanelOptions PanelOptions()
{
    JobPanelOptions options;
    options.aviFrameRate = 10.0;
    options.aviVideoCodec = 3;
    options.aviAudioCodec = 2;
    options.mpegType = 4;
    options.mpegFrameRate = 29.0;
    options.mpegAudioBitrate = 224;
    options.mpegAudioRate = 48000;
    return options;
}

class FakeFileListHost : public FileListHost {
public:
    bool IsConverting() const override { return converting; }
    OutputKind SelectedOutputKind() const override { return kind; }
    int PictureTypePosition() const override { return pictureType; }
    int PspProfilePosition() const override { return pspProfile; }
    int MpegTypePosition() const override { return mpegType; }
    JobPanelOptions NewJobOptions() const override { return options; }
    int CurrentJob() const override { return current; }
    void SetCurrentJob(int index) override { current = index; }
    void ShowJobOptions(const JobRecord& job) override
    {
        shownOptions.append(QString::fromStdString(job.sourcePath));
    }
    void SetFrameSizeFields(const QString& w, const QString& h) override
    {
        widthField = w;
        heightField = h;
    }
    void EnableOptionControls() override { ++enabledOptions; }
    void ResetOutputSettings() override { ++outputResets; }
    void PostMpegPreset() override { ++mpegPresets; }
    void OpenPreview(const QString& path, double start) override
    {
        previews.append(path);
        previewStart = start;
    }
    void StopPreviewPlayback() override { ++previewStops; }
    void MarkPreviewNotPlaying() override { ++previewNotPlaying; }
    void ShowPreviewPlaceholder(bool placeholder) override { placeholderShown = placeholder; }
    void LoadTrimRange(double durationMs, double start, double end) override
    {
        trimMin = 0.0;
        trimMax = durationMs;
        trimStart = start;
        trimEnd = end;
    }
    QStringList ChooseSourceFiles(const QStringList& filters) override
    {
        offeredFilters = filters;
        return chosen;
    }

    bool converting = false;
    OutputKind kind;
    int pictureType = 0;
    int pspProfile = 0;
    int mpegType = 7;
    JobPanelOptions options = PanelOptions();
    int current = -1;
    QStringList shownOptions;
    QString widthField = "x", heightField = "x";
    int enabledOptions = 0;
    int outputResets = 0;
    int mpegPresets = 0;
    QStringList previews;
    double previewStart = -1;
    int previewStops = 0;
    int previewNotPlaying = 0;
    bool placeholderShown = true;
    double trimMin = -1, trimMax = -1, trimStart = -1, trimEnd = -1;
    QStringList chosen;
    QStringList offeredFilters;
};

// Answers from a table; files named "slow..." take longer, so later files
// finish first.
class FakeSourceProber : public SourceProber, public MediaProbe {
public:
    MediaInfo Probe(const std::string& path) const override
    {
        if (path.find("slow") != std::string::npos)
            QThread::msleep(120);
        const auto it = infos.find(path);
        return it == infos.end() ? MediaInfo {} : it->second;
    }
    double GetFileDuration(const std::string& path) override { return Probe(path).durationSeconds; }
    int GetFileWidth(const std::string& path) override { return Probe(path).width; }
    int GetFileHeight(const std::string& path) override { return Probe(path).height; }

    std::map<std::string, MediaInfo> infos;
};

} // namespace kelvara
