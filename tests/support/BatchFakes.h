// Fakes of the dialog, the converters, the sound device and the power-off
// service, so a whole batch runs without a window or an encoder.
#pragma once

#include "batch/BatchConverters.h"
#include "batch/BatchHost.h"
#include "platform/ShutdownService.h"
#include "platform/SleepInhibitor.h"
#include "platform/SoundPlayer.h"
#include "runner/ConversionContext.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvara::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class FakeBatchHost : public BatchHost {
public:
    std::string OutputFolderFieldText() const override { return folderText; }
    OutputKind SelectedOutputKind() const override { return kind; }
    void SetOptionControlsEnabled(bool enable) override { optionsEnabled = enable; }
    void ShowConvertingButtons(bool converting) override { stopShown = converting; }
    void StopPreview() override { ++previewStops; }
    void SelectRow(int row) override { selectedRows.push_back(row); }
    void EnsureRowVisible(int row) override { visibleRows.push_back(row); }
    void ShowOptionsOfJob(int row) override { optionsShownFor = row; }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        messages.push_back({ text, title, icon });
        announcedBeforeLastMessage = announced.size();
    }
    void AnnounceOnDesktop(const std::string& text, const std::string& title) override
    {
        announced.push_back({ text, title, MessageIcon::None });
    }
    bool ShutdownWhenFinished() const override { return shutdownChecked; }
    bool ConfirmShutdownCountdown() override
    {
        ++countdowns;
        return countdownRunsOut;
    }

    std::string folderText;
    OutputKind kind { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
    bool optionsEnabled = true;
    bool stopShown = false;
    int previewStops = 0;
    std::vector<int> selectedRows;
    std::vector<int> visibleRows;
    int optionsShownFor = -1;
    std::vector<ShownMessage> messages;
    // What the desktop was told, and how much of it before the last message box.
    std::vector<ShownMessage> announced;
    std::size_t announcedBeforeLastMessage = 0;
    bool shutdownChecked = false;
    bool countdownRunsOut = true;
    int countdowns = 0;
};

// Converts by marking the job done, as the real converters do, and records
// each call as "kind:index" ("avi:0:/out/a.avi" for the component).
class FakeConverters : public BatchConverters {
public:
    explicit FakeConverters(ConversionContext& context)
        : m_context(context)
    {
    }

    void ConvertWithVideoEdit(int jobIndex, const std::string& outputPath) override;
    bool MakeIntermediateFile(int jobIndex) override;
    void ClearComponentBusy() override { ++busyClears; }
    void ConvertImage(int jobIndex) override { Convert("image", jobIndex); }
    void ConvertPsp(int jobIndex) override { Convert("psp", jobIndex); }
    void ConvertXboxOrPocketPc(int jobIndex) override { Convert("xbox-or-pocketpc", jobIndex); }
    void ConvertPmp(int jobIndex) override { Convert("pmp", jobIndex); }
    void ConvertAudio(int jobIndex) override { Convert("audio", jobIndex); }
    void StopEncoderJob() override;

    // Runs inside a conversion, as the window's events do while it waits.
    std::function<void(int jobIndex)> duringConversion;
    std::function<void(int jobIndex)> duringIntermediate;
    // Jobs whose conversion fails.
    std::vector<int> failing;
    // Jobs whose intermediate file cannot be made.
    std::vector<int> intermediateFailing;
    std::string intermediateFolder;

    std::vector<std::string> calls;
    int busyClears = 0;
    int encoderStops = 0;

private:
    void Convert(const std::string& name, int jobIndex);
    void Finish(int jobIndex);

    ConversionContext& m_context;
};

class FakeSound : public platform::SoundPlayer {
public:
    void Play(const QString& path, bool async) override
    {
        played.push_back(path.toStdString());
        allAsync = allAsync && async;
    }
    std::vector<std::string> played;
    bool allAsync = true;
};

class FakeSleepInhibitor : public platform::SleepInhibitor {
public:
    void KeepAwake() override
    {
        holding = true;
        ++holds;
    }
    void Release() override { holding = false; }
    bool holding = false;
    int holds = 0;
};

class FakeShutdown : public platform::ShutdownService {
public:
    platform::ShutdownResult PowerOff() override
    {
        // The batch's own sleep lock would hold the power-off up.
        heldAwakeAtPowerOff = inhibitor != nullptr && inhibitor->holding;
        ++powerOffs;
        return { accepts, accepts ? "" : "Access denied" };
    }
    bool accepts = true;
    int powerOffs = 0;
    const FakeSleepInhibitor* inhibitor = nullptr;
    bool heldAwakeAtPowerOff = false;
};

} // namespace kelvara::testing
