// Redraws every bitmap, icon and sound of the skin into the resources folder
// and writes the resource collection that lists them.
//   kelvara-skin-generator <resources folder>
// Or writes pictures anew as the generator writes them, their pixels kept:
//   kelvara-skin-generator --rewrite <picture.png>...
#include "../../src/skin/SkinResourceIds.h"
#include "AppIcon.h"
#include "Canvas.h"
#include "Drawings.h"
#include "GifWriter.h"
#include "Sounds.h"
#include "options/OutputCatalogue.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kelvara;

namespace {

struct Output {
    QString folder; // "skin", "icons" or "sounds"
    QString name; // file name without extension
    std::function<QImage()> draw;
};

QString Id(int id)
{
    return QString::number(id);
}

void AddButtonPair(std::vector<Output>& out, int id, const std::function<QImage(bool)>& draw)
{
    out.push_back({ "skin", Id(id), [draw] { return draw(true); } });
    out.push_back({ "skin", Id(id + 1), [draw] { return draw(false); } });
}

// Each tab's picture while selected at its id, its normal one beside it.
void AddTabs(std::vector<Output>& out, int firstId, OutputCategory category)
{
    QStringList labels;
    for (const std::string_view label : TabLabels(category))
        labels << QString::fromUtf8(label.data(), qsizetype(label.size()));
    const std::vector<int> widths = kelvara::generator::TabWidths(labels);
    for (int i = 0; i < labels.size(); ++i) {
        const QString label = labels[i];
        const int width = widths[std::size_t(i)];
        out.push_back(
            { "skin", Id(firstId + i), [=] { return kelvara::generator::Tab(label, width, true); } });
        out.push_back({ "skin", Id(firstId + skin_id::kTabNormalOffset + i),
            [=] { return kelvara::generator::Tab(label, width, false); } });
    }
}

void AddTabScrollArrows(std::vector<Output>& out)
{
    for (int state = 0; state < 3; ++state) {
        out.push_back({ "skin", Id(skin_id::TabScrollLeft + state),
            [state] { return kelvara::generator::TabScrollArrow(false, state); } });
        out.push_back({ "skin", Id(skin_id::TabScrollRight + state),
            [state] { return kelvara::generator::TabScrollArrow(true, state); } });
    }
}

std::vector<Output> Bitmaps()
{
    using namespace kelvara::generator;
    std::vector<Output> out = {
        { "skin", Id(skin_id::MessageTitle), MessageTitle },
        { "skin", Id(skin_id::MessageBody), MessageBody },
        { "skin", Id(skin_id::FaceStrip), FaceStrip },
        { "skin", Id(skin_id::SelectionTile), SelectionTile },
        { "skin", Id(skin_id::DropArrow), DropArrow },
        { "skin", Id(skin_id::ListTile), ListTile },
        { "skin", Id(skin_id::CloseHover), [] { return CloseButton(true); } },
        { "skin", Id(skin_id::CloseIdle), [] { return CloseButton(false); } },
        { "skin", Id(skin_id::HeaderBackground), HeaderBackground },
        { "skin", Id(skin_id::HeaderSeparatorLeft), [] { return HeaderSeparator(true); } },
        { "skin", Id(skin_id::HeaderSeparatorRight), [] { return HeaderSeparator(false); } },
        { "skin", Id(skin_id::HScrollThumb), [] { return ScrollThumb(false); } },
        { "skin", Id(skin_id::HScrollRight), [] { return ScrollArrow(16, 15, 1); } },
        { "skin", Id(skin_id::HScrollTrack), [] { return ScrollTrack(false); } },
        { "skin", Id(skin_id::HScrollLeft), [] { return ScrollArrow(16, 15, 3); } },
        { "skin", Id(skin_id::VScrollUp), [] { return ScrollArrow(15, 16, 0); } },
        { "skin", Id(skin_id::VScrollTrack), [] { return ScrollTrack(true); } },
        { "skin", Id(skin_id::VScrollThumb), [] { return ScrollThumb(true); } },
        { "skin", Id(skin_id::VScrollDown), [] { return ScrollArrow(15, 16, 2); } },
        { "skin", Id(skin_id::ScrollCorner), ScrollCorner },
        { "skin", Id(skin_id::Splash), Splash },
        { "skin", Id(skin_id::MainBackground), MainBackground },
        { "skin", Id(skin_id::PreviewPlaceholder), PreviewPlaceholder },
        { "skin", Id(skin_id::StateIcons), StateIcons },
        { "skin", Id(skin_id::AboutBackground), AboutBackground },
        { "skin", Id(skin_id::SliderTrack), SliderTrack },
        { "skin", Id(skin_id::SliderLeftThumb), [] { return SliderThumb(true); } },
        { "skin", Id(skin_id::SliderRightThumb), [] { return SliderThumb(false); } },
        { "skin", Id(skin_id::SliderBar), SliderBar },
    };
    AddTabs(out, skin_id::PcTabs, OutputCategory::PcVideo);
    AddTabs(out, skin_id::MobileTabs, OutputCategory::MobileVideo);
    AddTabs(out, skin_id::AudioTabs, OutputCategory::Audio);
    AddTabScrollArrows(out);

    AddButtonPair(out, skin_id::StartButton, [](bool h) { return RoundButton(48, 49, Glyph::Start, {}, h); });
    AddButtonPair(out, skin_id::StopButton, [](bool h) { return RoundButton(48, 49, Glyph::Stop, {}, h); });
    AddButtonPair(out, skin_id::AddButton, [](bool h) { return RoundButton(44, 49, Glyph::Add, "Add", h); });
    AddButtonPair(
        out, skin_id::RemoveButton, [](bool h) { return RoundButton(44, 49, Glyph::Remove, "Remove", h); });
    AddButtonPair(
        out, skin_id::ClearButton, [](bool h) { return RoundButton(44, 49, Glyph::Clear, "Clear", h); });
    AddButtonPair(
        out, skin_id::FileMenuButton, [](bool h) { return TextButton(64, 22, "File", true, h, true); });
    AddButtonPair(out, skin_id::FormatMenuButton,
        [](bool h) { return TextButton(116, 22, "Format Setting", true, h, true); });
    AddButtonPair(
        out, skin_id::HelpMenuButton, [](bool h) { return TextButton(64, 22, "Help", true, h, true); });
    AddButtonPair(
        out, skin_id::AboutButton, [](bool h) { return TextButton(64, 22, "About", true, h, false); });
    AddButtonPair(
        out, skin_id::BrowseButton, [](bool h) { return TextButton(70, 22, "Browse...", false, h, false); });
    AddButtonPair(
        out, skin_id::MinimizeButton, [](bool h) { return GlyphButton(18, 18, Glyph::Minimize, true, h); });
    AddButtonPair(
        out, skin_id::MainCloseButton, [](bool h) { return GlyphButton(18, 18, Glyph::Close, true, h); });
    AddButtonPair(
        out, skin_id::PreviewStopButton, [](bool h) { return GlyphButton(19, 19, Glyph::Square, false, h); });
    AddButtonPair(
        out, skin_id::PreviousButton, [](bool h) { return GlyphButton(42, 24, Glyph::Previous, false, h); });
    AddButtonPair(
        out, skin_id::NextButton, [](bool h) { return GlyphButton(42, 24, Glyph::Next, false, h); });
    AddButtonPair(
        out, skin_id::SnapshotButton, [](bool h) { return GlyphButton(19, 19, Glyph::Camera, false, h); });
    AddButtonPair(out, skin_id::SpinUpButton, [](bool h) { return GlyphButton(13, 9, Glyph::Up, false, h); });
    AddButtonPair(
        out, skin_id::SpinDownButton, [](bool h) { return GlyphButton(13, 9, Glyph::Down, false, h); });

    out.push_back({ "icons", Id(skin_id::AppIcon), AppIcon });
    out.push_back({ "icons", Id(skin_id::WarningIcon), [] { return MessageIcon(0); } });
    out.push_back({ "icons", Id(skin_id::QuestionIcon), [] { return MessageIcon(1); } });
    out.push_back({ "icons", Id(skin_id::ErrorIcon), [] { return MessageIcon(2); } });
    out.push_back({ "icons", Id(skin_id::InformationIcon), [] { return MessageIcon(3); } });
    out.push_back({ "icons", Id(skin_id::CheckOnIcon), [] { return CheckIcon(true); } });
    out.push_back({ "icons", Id(skin_id::CheckOffIcon), [] { return CheckIcon(false); } });
    out.push_back({ "icons", Id(skin_id::PlayIdleIcon), [] { return TransportIcon(false, false); } });
    out.push_back({ "icons", Id(skin_id::PlayHoverIcon), [] { return TransportIcon(false, true); } });
    out.push_back({ "icons", Id(skin_id::PauseIdleIcon), [] { return TransportIcon(true, false); } });
    out.push_back({ "icons", Id(skin_id::PauseHoverIcon), [] { return TransportIcon(true, true); } });
    return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int RewritePictures(int count, char* paths[])
{
    for (int i = 0; i < count; ++i) {
        const QString path = QString::fromLocal8Bit(paths[i]);
        const QImage picture(path);
        if (picture.isNull() || !kelvara::generator::Save(picture, path)) {
            std::fprintf(stderr, "cannot rewrite %s\n", paths[i]);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc > 2 && QByteArrayView(argv[1]) == "--rewrite")
        return RewritePictures(argc - 2, argv + 2);
    if (argc != 2) {
        std::fprintf(
            stderr, "usage: %s <resources folder>\n       %s --rewrite <picture.png>...\n", argv[0], argv[0]);
        return 2;
    }
    kelvara::generator::LoadFonts();
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* folder : { "skin", "icons", "sounds", "banner" })
        root.mkpath(folder);
    if (!kelvara::generator::WriteAppIcons(root.path())) {
        std::fprintf(stderr, "cannot write the icon theme's pictures under appicon/\n");
        return 1;
    }

    QString qrc;
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n";
    auto entry = [&list](const QString& prefix, const QString& file, const QString& alias) {
        list << "  <qresource prefix=\"/" << prefix << "\"><file alias=\"" << alias << "\">" << file
             << "</file></qresource>\n";
    };
    // Each bitmap is drawn once per scale; the high-density one sits beside
    // the ordinary one under the same name with the "@2x" suffix.
    for (const auto& [scale, suffix] : { std::pair { 1, "" }, std::pair { 2, "@2x" } }) {
        const kelvara::generator::ScaleScope drawingScale(scale);
        for (const Output& o : Bitmaps()) {
            const QString name = o.name + suffix + ".png";
            const QString file = o.folder + "/" + name;
            if (!kelvara::generator::Save(o.draw(), root.filePath(file))) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
            entry(o.folder, file, name);
        }
    }
    const std::pair<QString, QByteArray> sounds[] = {
        { "menu", kelvara::generator::HoverClick() },
        { QString::number(skin_id::CompletionSound), kelvara::generator::CompletionChime() },
    };
    for (const auto& [name, bytes] : sounds) {
        const QString file = "sounds/" + name + ".wav";
        if (!WriteFile(root.filePath(file), bytes)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        entry("sounds", file, name + ".wav");
    }
    // The banner lives beside the program, where the main window plays it from.
    constexpr int kBannerFrameCs = 15;
    for (const auto& [scale, file] :
        { std::pair { 1, "banner/Banners.gif" }, std::pair { 2, "banner/Banners@2x.gif" } }) {
        const kelvara::generator::ScaleScope drawingScale(scale);
        if (!WriteFile(root.filePath(file),
                kelvara::generator::EncodeGif(kelvara::generator::BannerFrames(), kBannerFrameCs))) {
            std::fprintf(stderr, "cannot write %s\n", file);
            return 1;
        }
    }
    list << "</RCC>\n";
    list.flush();
    return WriteFile(root.filePath("skin.qrc"), qrc.toUtf8()) ? 0 : 1;
}
