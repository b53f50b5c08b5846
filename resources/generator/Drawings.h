// Every picture of the skin, each drawn from code by one function.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace kelvara::generator {

// Small pieces of controls (pieces.cpp).
QImage MessageTitle();
QImage MessageBody();
QImage FaceStrip();
QImage SelectionTile();
QImage DropArrow();
QImage ListTile();
QImage CloseButton(bool hover);
QImage HeaderBackground();
QImage HeaderSeparator(bool left);
QImage ScrollArrow(int width, int height, int direction); // 0 up, 1 right, 2 down, 3 left
QImage ScrollTrack(bool vertical);
QImage ScrollThumb(bool vertical);
QImage ScrollCorner();
QImage SliderTrack();
QImage SliderThumb(bool left);
QImage SliderBar();
// A strip's tabs: their widths for the captions, and one tab's picture.
std::vector<int> TabWidths(const QStringList& labels);
QImage Tab(const QString& label, int width, bool selected);
// state: 0 idle, 1 under the mouse, 2 nothing to scroll that way.
QImage TabScrollArrow(bool right, int state);

// Whole pictures (pictures.cpp).
QImage MainBackground();
QImage Splash();
QImage AboutBackground();
QImage PreviewPlaceholder();
QImage StateIcons();

// The animated banner's frames, 519 x 75 (banner.cpp).
QList<QImage> BannerFrames();

// Buttons of the main window (buttons.cpp).
enum class Glyph {
    Start,
    Stop,
    Add,
    Remove,
    Clear,
    Minimize,
    Close,
    Square,
    Previous,
    Next,
    Camera,
    Up,
    Down
};
QImage RoundButton(int size, int height, Glyph glyph, const QString& caption, bool hover);
QImage TextButton(int width, int height, const QString& caption, bool onDark, bool hover, bool arrow);
QImage GlyphButton(int width, int height, Glyph glyph, bool onDark, bool hover);

// Icons, with alpha (icons.cpp).
QImage MessageIcon(int kind); // 0 warning, 1 question, 2 error, 3 information
QImage CheckIcon(bool checked);
QImage TransportIcon(bool pause, bool hover);
QImage AppIcon();

} // namespace kelvara::generator
