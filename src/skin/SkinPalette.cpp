#include "SkinPalette.h"

#include "SkinResourceIds.h"

#include <QGuiApplication>
#include <QHash>
#include <QScreen>

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
QImage LoadCached(const QString& folder, int id, int pixelRatio)
{
    InitSkinResources();
    static QHash<QString, QImage> decoded;
    const QString path = pixelRatio >= 2 ? QStringLiteral(":/%1/%2@2x.png").arg(folder).arg(id)
                                         : QStringLiteral(":/%1/%2.png").arg(folder).arg(id);
    auto found = decoded.constFind(path);
    if (found == decoded.constEnd()) {
        QImage image(path);
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
    s.messageTitle = LoadSkinBitmap(SkinId::MessageTitle);
    s.messageBody = LoadSkinBitmap(SkinId::MessageBody);
    s.faceStrip = LoadSkinBitmap(SkinId::FaceStrip);
    s.selectionTile = LoadSkinBitmap(SkinId::SelectionTile);
    s.dropArrow = LoadSkinBitmap(SkinId::DropArrow);
    s.listTile = LoadSkinBitmap(SkinId::ListTile);
    s.headerBackground = LoadSkinBitmap(SkinId::HeaderBackground);
    s.headerSeparatorLeft = LoadSkinBitmap(SkinId::HeaderSeparatorLeft);
    s.headerSeparatorRight = LoadSkinBitmap(SkinId::HeaderSeparatorRight);
    s.hScrollThumb = LoadSkinBitmap(SkinId::HScrollThumb);
    s.hScrollRight = LoadSkinBitmap(SkinId::HScrollRight);
    s.hScrollTrack = LoadSkinBitmap(SkinId::HScrollTrack);
    s.hScrollLeft = LoadSkinBitmap(SkinId::HScrollLeft);
    s.vScrollUp = LoadSkinBitmap(SkinId::VScrollUp);
    s.vScrollTrack = LoadSkinBitmap(SkinId::VScrollTrack);
    s.vScrollThumb = LoadSkinBitmap(SkinId::VScrollThumb);
    s.vScrollDown = LoadSkinBitmap(SkinId::VScrollDown);
    s.scrollCorner = LoadSkinBitmap(SkinId::ScrollCorner);
    // Window opacity needs a compositing platform; offscreen and minimal ones have none.
    const QString platform = QGuiApplication::platformName();
    s.layeredWindows = platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

const SkinPalette& Skin()
{
    return MutablePalette();
}

} // namespace kelvara
