#include "OutputNaming.h"

#include "files/PrivateFolder.h"
#include "files/RemoveIfPresent.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr std::array<std::string_view, 13> kPictureExtensions = {
    ".gif",
    ".gif",
    ".bmp",
    ".eps",
    ".jpg",
    ".pcx",
    ".psd",
    ".pdf",
    ".tiff",
    ".wmf",
    ".emf",
    ".png",
    ".j2k",
};

// AAC and ALAC are both MPEG-4 audio files.
constexpr std::array<std::string_view, 10> kAudioExtensions
    = { ".mp3", ".wma", ".wav", ".mp2", ".ac3", ".flac", ".opus", ".m4a", ".ogg", ".m4a" };

template <std::size_t N>
std::optional<std::string_view> At(const std::array<std::string_view, N>& table, int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= N)
        return std::nullopt;
    return table[static_cast<std::size_t>(position)];
}

std::string WithExtension(
    const std::string& folder, const std::string& title, std::optional<std::string_view> extension)
{
    // An unknown kind has no output name; the encoder then refuses to run.
    if (!extension)
        return {};
    return folder + title + std::string(*extension);
}

} // namespace

bool NameIsTaken(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

std::optional<std::string_view> PictureExtension(int pictureTypePosition)
{
    return At(kPictureExtensions, pictureTypePosition);
}

std::optional<std::string_view> AudioExtension(int audioKind)
{
    return At(kAudioExtensions, audioKind);
}

std::string ImageOutputPath(
    const std::string& outputFolder, const std::string& title, int pictureTypePosition)
{
    return WithExtension(outputFolder, title, PictureExtension(pictureTypePosition));
}

std::string AudioOutputPath(const std::string& outputFolder, const std::string& title, int audioKind)
{
    return WithExtension(outputFolder, title, AudioExtension(audioKind));
}

std::string NumberedOutputPath(const std::string& basePath, std::string_view extension,
    const std::set<std::string>& reserved, const std::vector<std::string>& replaceable)
{
    return FirstFreeNumberedName(basePath, std::string(extension), [&](const std::string& candidate) {
        if (reserved.contains(candidate))
            return true;
        const bool ours = std::find(replaceable.begin(), replaceable.end(), candidate) != replaceable.end();
        return !ours && NameIsTaken(candidate);
    });
}

std::string PspOutputFileName(int fileNumber, int pspProfilePosition)
{
    char name[32];
    std::snprintf(
        name, sizeof name, pspProfilePosition < kFirstPspH264Profile ? "M4V%05d" : "MAQ%05d", fileNumber);
    return name;
}

int NextPspFileNumber(int fileNumber)
{
    constexpr int lowest = 10000;
    constexpr int highest = 99999;
    return fileNumber >= highest || fileNumber < lowest ? lowest : fileNumber + 1;
}

std::string IntermediateFolder()
{
    const char* temporary = std::getenv("TMPDIR");
    std::string folder = temporary && *temporary ? temporary : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

namespace {

// The process id keeps two running programs apart in a shared folder.
std::string IntermediatePrefix()
{
    return "kelvara-" + std::to_string(::getpid()) + "-";
}

} // namespace

std::string IntermediatePath(const std::string& folder, const std::string& titleCopy, int number, bool mpeg)
{
    return folder + IntermediatePrefix() + titleCopy + "_" + std::to_string(number)
        + (mpeg ? ".mpg" : ".avi");
}

void RemoveIntermediateFilesOfThisProcess(const std::string& folder)
{
    const std::string prefix = IntermediatePrefix();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const bool intermediate
            = name.starts_with(prefix) && (name.ends_with(".avi") || name.ends_with(".mpg"));
        if (intermediate)
            RemoveIfPresent(entry.path().string());
    }
}

std::string PmpFirstStepVideoPath(const std::string& outputFolder, const std::string& title)
{
    return outputFolder + title + "0001.avi";
}

std::string PmpFirstStepAudioPath(const std::string& outputFolder, const std::string& title)
{
    return outputFolder + title + "0001.mp3";
}

std::string PmpFinalPath(const std::string& outputFolder, const std::string& title)
{
    return outputFolder + title + ".pmp";
}

std::string OutTypeText(const OutputKind& kind, const JobRecord& job, const OutTypeSelections& selections)
{
    // A done job names the file it really wrote: numbered past a file that
    // was there, or named by its profile.
    if (job.stateIcon == JobState::Done && !job.outputPath.empty())
        return std::filesystem::path(job.outputPath).filename().string();
    const std::string& title = job.outputTitle;
    // The video kinds of today: the container of most of their profiles.
    if (kind.Is(PcKind::Mp4) || kind.Is(MobileKind::PhoneTablet) || kind.Is(MobileKind::TvStick))
        return title + ".mp4";
    if (kind.Is(PcKind::Mkv))
        return title + ".mkv";
    if (kind.Is(PcKind::WebM) || kind.Is(PcKind::Av1) || kind.Is(MobileKind::Web))
        return title + ".webm";
    switch (kind.category) {
    case OutputCategory::PcVideo:
        if (kind.Is(PcKind::Avi))
            return title + ".avi";
        if (kind.Is(PcKind::Mpeg))
            return title + ".mpg";
        if (kind.Is(PcKind::Image))
            return WithExtension({}, title, PictureExtension(selections.pictureTypePosition));
        return {};
    case OutputCategory::MobileVideo:
        if (kind.Is(MobileKind::Psp))
            return PspOutputFileName(job.fileNumber, selections.pspProfilePosition) + ".MP4";
        if (kind.Is(MobileKind::Xbox360))
            return title + ".mpg";
        if (kind.Is(MobileKind::PocketPc))
            return title + ".avi";
        if (kind.Is(MobileKind::Pmp))
            return title + ".pmp";
        return {};
    case OutputCategory::Audio:
        return WithExtension({}, title, AudioExtension(kind.kind));
    }
    return {};
}

} // namespace kelvara
