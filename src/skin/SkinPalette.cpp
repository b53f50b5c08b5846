#include "SkinPalette.h"

#include "SkinResourceIds.h"

#include <QGuiApplication>
#include <QHash>

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

// Decoded once: many controls share a picture (every list's face, the spin
// arrows, the check marks), and decoding is most of the window's start-up.
// Pictures are shared copies, so the cache costs no second copy. GUI thread only.
QImage LoadSkinImage(int bitmapId)
{
    InitSkinResources();
    static QHash<int, QImage> decoded;
    const auto found = decoded.constFind(bitmapId);
    if (found != decoded.constEnd())
        return *found;
    const QImage image(QStringLiteral(":/skin/%1.png").arg(bitmapId));
    decoded.insert(bitmapId, image);
    return image;
}

QPixmap LoadSkinBitmap(int bitmapId)
{
    return QPixmap::fromImage(LoadSkinImage(bitmapId));
}

QPixmap LoadSkinIcon(int iconId)
{
    InitSkinResources();
    // Kept as images: pixmaps must not outlive the application object.
    static QHash<int, QImage> decoded;
    auto found = decoded.constFind(iconId);
    if (found == decoded.constEnd())
        found = decoded.insert(iconId, QImage(QStringLiteral(":/icons/%1.png").arg(iconId)));
    return QPixmap::fromImage(*found);
}

QString SkinSoundPath(int soundId)
{
    return QStringLiteral(":/sounds/%1.wav").arg(soundId);
}

void LoadSkinPalette()
{
    SkinPalette& s = MutablePalette();
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
