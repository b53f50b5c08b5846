#include "SkinPalette.h"

#include "SkinResourceIds.h"
#include "platform/StartupTrace.h"

#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QScreen>

#include <future>

// Q_INIT_RESOURCE must be used outside any namespace; calling it also keeps
// the linker from dropping the resource data of the static library.
static void InitSkinResources()
{
    Q_INIT_RESOURCE(skin);
}

namespace kelvara {

namespace {
SkinPalette& MutablePalette()
{
    static SkinPalette palette;
    return palette;
}
} // namespace

namespace {
constexpr qreal kFineScreenRatio = 1.5;

// Decoded once per id and ratio: many controls share a picture (every list's
// face, the spin arrows, the check marks), and decoding is most of the
// window's start-up. Kept as images, which are shared copies (so the cache
// costs no second copy) and, unlike pixmaps, may outlive the application
// object. GUI thread only.
QString PicturePath(const QString& folder, int id, int pixelRatio)
{
    return pixelRatio >= 2 ? QStringLiteral(":/%1/%2@2x.png").arg(folder).arg(id)
                           : QStringLiteral(":/%1/%2.png").arg(folder).arg(id);
}

// Pictures being decoded ahead, by path. GUI thread only, as the cache.
QHash<QString, std::shared_future<QImage>>& DecodingAhead()
{
    static QHash<QString, std::shared_future<QImage>> decoding;
    return decoding;
}

QImage Decode(const QString& path)
{
    const auto ahead = DecodingAhead().constFind(path);
    if (ahead == DecodingAhead().constEnd())
        return QImage(path);
    QImage image = ahead->get();
    DecodingAhead().erase(ahead);
    return image;
}

QImage LoadCached(const QString& folder, int id, int pixelRatio)
{
    InitSkinResources();
    static QHash<QString, QImage> decoded;
    const QString path = PicturePath(folder, id, pixelRatio);
    auto found = decoded.constFind(path);
    if (found == decoded.constEnd()) {
        QImage image = Decode(path);
        // Which pictures the start-up waits for, and when.
        platform::StartupMark(qPrintable(QStringLiteral("picture %1 loaded").arg(path)));
        // A picture drawn only at the ordinary size still shows, enlarged.
        if (image.isNull() && pixelRatio >= 2)
            return LoadCached(folder, id, 1);
        image.setDevicePixelRatio(pixelRatio >= 2 ? 2 : 1);
        found = decoded.insert(path, image);
    }
    return *found;
}
} // namespace

int SkinPixelRatioFor(qreal screenRatio)
{
    return screenRatio >= kFineScreenRatio ? 2 : 1;
}

QImage LoadSkinImage(int bitmapId)
{
    return LoadSkinImage(bitmapId, Skin().pixelRatio);
}

QImage LoadSkinImage(int bitmapId, int pixelRatio)
{
    return LoadCached(QStringLiteral("skin"), bitmapId, pixelRatio);
}

void DecodeSkinImagesAhead(std::initializer_list<int> bitmapIds)
{
    InitSkinResources();
    for (const int id : bitmapIds) {
        const QString path = PicturePath(QStringLiteral("skin"), id, Skin().pixelRatio);
        if (!DecodingAhead().contains(path))
            DecodingAhead().insert(
                path, std::async(std::launch::async, [path] { return QImage(path); }).share());
    }
}

QPixmap LoadSkinBitmap(int bitmapId)
{
    return QPixmap::fromImage(LoadSkinImage(bitmapId));
}

QPixmap LoadSkinIcon(int iconId)
{
    return LoadSkinIcon(iconId, Skin().pixelRatio);
}

QPixmap LoadSkinIcon(int iconId, int pixelRatio)
{
    return QPixmap::fromImage(LoadCached(QStringLiteral("icons"), iconId, pixelRatio));
}

QSize SkinImageLogicalSize(int bitmapId)
{
    InitSkinResources();
    const int ratio = Skin().pixelRatio;
    QSize pixels = QImageReader(PicturePath(QStringLiteral("skin"), bitmapId, ratio)).size();
    if (pixels.isValid())
        return ratio >= 2 ? pixels / 2 : pixels;
    // A picture drawn only at the ordinary size is shown enlarged, at that size.
    pixels = QImageReader(PicturePath(QStringLiteral("skin"), bitmapId, 1)).size();
    return pixels.isValid() ? pixels : QSize();
}

QSize LogicalSize(const QPixmap& pixmap)
{
    return pixmap.deviceIndependentSize().toSize();
}

QSize LogicalSize(const QImage& image)
{
    return image.deviceIndependentSize().toSize();
}

QString SkinSoundPath(int soundId)
{
    return QStringLiteral(":/sounds/%1.wav").arg(soundId);
}

void LoadSkinPalette()
{
    // The main window opens on the primary screen; its ratio picks the pictures.
    const QScreen* screen = QGuiApplication::primaryScreen();
    LoadSkinPalette(SkinPixelRatioFor(screen ? screen->devicePixelRatio() : 1.0));
}

void LoadSkinPalette(int pixelRatio)
{
    SkinPalette& s = MutablePalette();
    s.pixelRatio = pixelRatio >= 2 ? 2 : 1;
    s.faceStrip = LoadSkinBitmap(skin_id::FaceStrip);
    s.selectionTile = LoadSkinBitmap(skin_id::SelectionTile);
    s.dropArrow = LoadSkinBitmap(skin_id::DropArrow);
    s.listTile = LoadSkinBitmap(skin_id::ListTile);
    s.headerBackground = LoadSkinBitmap(skin_id::HeaderBackground);
    s.headerSeparatorLeft = LoadSkinBitmap(skin_id::HeaderSeparatorLeft);
    s.headerSeparatorRight = LoadSkinBitmap(skin_id::HeaderSeparatorRight);
    s.hScrollThumb = LoadSkinBitmap(skin_id::HScrollThumb);
    s.hScrollRight = LoadSkinBitmap(skin_id::HScrollRight);
    s.hScrollTrack = LoadSkinBitmap(skin_id::HScrollTrack);
    s.hScrollLeft = LoadSkinBitmap(skin_id::HScrollLeft);
    s.vScrollUp = LoadSkinBitmap(skin_id::VScrollUp);
    s.vScrollTrack = LoadSkinBitmap(skin_id::VScrollTrack);
    s.vScrollThumb = LoadSkinBitmap(skin_id::VScrollThumb);
    s.vScrollDown = LoadSkinBitmap(skin_id::VScrollDown);
    s.scrollCorner = LoadSkinBitmap(skin_id::ScrollCorner);
    // Window opacity needs a compositing platform; offscreen and minimal ones have none.
    const QString platform = QGuiApplication::platformName();
    s.layeredWindows = platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

const SkinPalette& Skin()
{
    return MutablePalette();
}

QPixmap SkinMessageTitle()
{
    return LoadSkinBitmap(skin_id::MessageTitle);
}

QPixmap SkinMessageBody()
{
    return LoadSkinBitmap(skin_id::MessageBody);
}

} // namespace kelvara
