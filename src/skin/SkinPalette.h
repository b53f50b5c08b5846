// The skin's bitmaps, colours and metrics, loaded once at start-up and shared
// by every skinned control.
#pragma once

#include <initializer_list>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace kelvara {

struct SkinPalette {
    // Text field, combo box and list box pieces. The message box's title and
    // body, large and seen only once a box opens, are SkinMessageTitle and
    // SkinMessageBody.
    QPixmap faceStrip; // 175
    QPixmap selectionTile; // 176
    QPixmap dropArrow; // 177
    QPixmap listTile; // 178
    // File list header and scroll bars.
    QPixmap headerBackground, headerSeparatorLeft, headerSeparatorRight; // 157, 158, 159
    QPixmap hScrollThumb, hScrollRight, hScrollTrack, hScrollLeft; // 160..163
    QPixmap vScrollUp, vScrollTrack, vScrollThumb, vScrollDown, scrollCorner; // 165..168, 170

    QColor comboFrameLight { 200, 200, 200 };
    QColor comboFrameDark { 180, 180, 180 };
    QColor listBoxFrameLight { 200, 200, 200 };
    QColor listBoxFrameDark { 97, 66, 49 };
    QColor listBoxTextSelected { 200, 200, 200 };
    QColor listBoxText { 20, 20, 20 };
    QColor headerFill { 185, 194, 212 };
    QColor headerText { 190, 190, 190 };
    QColor headerLine { 200, 200, 200 };
    QColor scrollFill { 74, 82, 107 };
    QColor text { 0, 0, 0 };

    int headerHeight = 16;
    int headerSeparatorWidth = 2;
    int scrollThickness = 16;
    int scrollThumbLength = 75;
    int trackThickness = 1;

    // Windows can fade in through their opacity; when false they show opaque at once.
    bool layeredWindows = false;
    int targetAlpha = 255;

    // 2 when the pictures are the ones drawn at twice the size, else 1. The
    // pixmaps carry it as their device pixel ratio, so they draw at the same
    // size in the window's coordinates with every pixel of detail.
    int pixelRatio = 1;
};

// Fills the palette from the compiled-in resources, with the pictures for the
// primary screen's device pixel ratio or for the pixel ratio given. Call once,
// after the application object exists and before any skinned control is made.
void LoadSkinPalette();
void LoadSkinPalette(int pixelRatio);
const SkinPalette& Skin();
// The message box's title band (173) and body tile (174), decoded at their
// first use rather than at start-up.
QPixmap SkinMessageTitle();
QPixmap SkinMessageBody();

// The pictures' ratio for a screen's device pixel ratio: the ones drawn at
// twice the size from 1.5 on, the ordinary ones below.
int SkinPixelRatioFor(qreal screenRatio);

// Resources by numeric id, at the palette's pixel ratio or at the one given;
// a null result when the id does not exist. A picture of ratio 2 has twice
// the pixels each way and device pixel ratio 2.
QImage LoadSkinImage(int bitmapId);
QImage LoadSkinImage(int bitmapId, int pixelRatio);
QPixmap LoadSkinBitmap(int bitmapId);
QPixmap LoadSkinIcon(int iconId);
QPixmap LoadSkinIcon(int iconId, int pixelRatio);
// Starts decoding pictures, at the palette's ratio, on threads of their own;
// the first load of one waits for its decoding instead of decoding it again.
// For the large pictures a window needs only once its controls are made.
// GUI thread, after LoadSkinPalette.
void DecodeSkinImagesAhead(std::initializer_list<int> bitmapIds);

// A picture's size in the coordinates it is drawn in, read from its header
// without decoding it; empty when the id does not exist.
QSize SkinImageLogicalSize(int bitmapId);

// A picture's size in the coordinates it is drawn in (device independent).
QSize LogicalSize(const QPixmap& pixmap);
QSize LogicalSize(const QImage& image);
QString SkinSoundPath(int soundId);

} // namespace kelvara
