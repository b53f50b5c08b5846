#include "MainWindowMock.h"

#include "app/ControlTable.h"
#include "options/PanelVisibility.h"
#include "skin/CFadeInPicture.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinTextField.h"
#include "skin/RegionFromBitmap.h"
#include "skin/SkinFont.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QMenu>
#include <QPainter>

using namespace kelvara;

namespace {

void Fill(CSkinComboBox* combo, const QStringList& items, int selected)
{
    combo->addItems(items);
    combo->SetCurSel(selected);
}

} // namespace

// The controls come from the program's own dialog template, so the gallery
// shows them where the program puts them; only sample contents are added.
MainWindowMock::MainWindowMock(QWidget* parent)
    : QWidget(parent)
    , m_background(LoadSkinBitmap(skin_id::MainBackground))
    , m_controls(std::make_unique<kelvara::ControlTable>(this))
{
    setFixedSize(771, 565);
    m_outline = RegionFromBitmap(m_background.toImage(), qRgb(255, 255, 255), 0).value_or(QRegion(rect()));
    m_controls->Show(panel::PanelControls(), false);
    m_controls->Show(panel::ShownControls({ OutputCategory::PcVideo, 0 }), true);
    m_controls->At(control_id::Banner)->hide();
    Fill(m_controls->Combo(control_id::AviFrameRate), { "23.976", "25", "29.97", "30" }, 1);
    Fill(m_controls->Combo(control_id::AviCodec), { "XviD MPEG-4", "DivX", "MJPEG" }, 0);
    Fill(m_controls->Combo(control_id::AviSoundCodec), { "MP3", "PCM", "AC3" }, 0);
    m_controls->Field(control_id::Width)->SetText(QStringLiteral("640"));
    m_controls->Field(control_id::Height)->SetText(QStringLiteral("480"));
    m_controls->Button(control_id::Custom)->SetCheck(true);
    m_controls->Field(control_id::OutputFolder)->SetText(QStringLiteral("/home/user/Videos/"));
    m_controls->Picture(control_id::PreviewPlaceholder)->SetBitmap(skin_id::PreviewPlaceholder, 1);
    auto menu = std::make_unique<QMenu>();
    for (const char* item : { "To PC Video", "To Mobile Video", "To Audio" })
        menu->addAction(QString::fromLatin1(item));
    m_controls->Button(control_id::FormatMenu)->SetMenu(std::move(menu), this);
}

MainWindowMock::~MainWindowMock() = default;

CSkinButton* MainWindowMock::StartButton() const
{
    return m_controls->Button(kelvara::control_id::Start);
}

CSkinComboBox* MainWindowMock::FrameRateCombo() const
{
    return m_controls->Combo(kelvara::control_id::AviFrameRate);
}

void MainWindowMock::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setClipRegion(m_outline);
    p.drawPixmap(0, 0, m_background);
    PaintFileList(p);
    PaintSlider(p);
    // The banner plays its own animation; the gallery only marks its place.
    p.setPen(QColor(90, 110, 150));
    p.setFont(SkinFont(16, true));
    p.drawText(QRect(230, 44, 519, 75), Qt::AlignCenter, QStringLiteral("banner"));
}

void MainWindowMock::PaintFileList(QPainter& p)
{
    const SkinPalette& s = Skin();
    const QRect list(15, 125, 720, 135);
    p.fillRect(QRect(list.left(), list.top(), 2, 16), s.headerFill);
    p.drawPixmap(QRect(list.left() + 2, list.top(), list.width() - 2, 16), s.headerBackground);
    const int columns[] = { 0, 170, 300, 370, 530, 720 };
    const char* titles[] = { "Source", "Span", "Size", "Output", "Status" };
    p.setFont(SkinFont(13, true));
    for (int c = 0; c < 5; ++c) {
        const int left = list.left() + columns[c];
        const int right = list.left() + columns[c + 1];
        p.drawPixmap(left, list.top(), c == 0 ? s.headerSeparatorLeft : s.headerSeparatorRight);
        p.drawPixmap(right - 2, list.top(), s.headerSeparatorRight);
        p.setPen(s.headerText);
        p.drawText(QRect(left + 1, list.top() + 1, right - left - 4, 12), Qt::AlignCenter,
            QString::fromLatin1(titles[c]));
    }
    const QPixmap states = LoadSkinBitmap(skin_id::StateIcons);
    QImage icons = states.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < icons.height(); ++y)
        for (int x = 0; x < icons.width(); ++x)
            if (icons.pixel(x, y) == 0xFFFFFFFF)
                icons.setPixel(x, y, 0);
    const char* rows[][5] = {
        { "holiday.avi", "00:00:00-00:03:12", "640x480", "holiday.mp4", "Done" },
        { "concert.mpg", "00:00:00-01:02:45", "720x576", "concert.mp4", "42%  00:01:10" },
        { "interview.wmv", "00:00:10-00:05:00", "320x240", "interview.mp4", "Stopped" },
        { "trailer.mov", "00:00:00-00:02:30", "1280x720", "trailer.mp4", "Queued" },
    };
    const int icon[] = { 1, 0, 2, 3 };
    p.setFont(SkinFont(13, false));
    for (int r = 0; r < 4; ++r) {
        const int top = list.top() + 18 + r * 18;
        if (r == 1)
            p.fillRect(QRect(list.left(), top, list.width(), 18), QColor(5, 132, 226));
        p.setPen(r == 1 ? Qt::white : QColor(20, 24, 34));
        // The strip may have more pixels than it covers: pick the icon in its own pixels.
        const qreal ratio = icons.devicePixelRatio();
        p.drawImage(QRectF(list.left() + 4, top + 1, 16, 16), icons,
            QRectF(icon[r] * 16 * ratio, 0, 16 * ratio, 16 * ratio));
        for (int c = 0; c < 5; ++c) {
            const int left = list.left() + columns[c] + (c == 0 ? 24 : c == 4 ? 58 : 6);
            p.drawText(QRect(left, top, list.left() + columns[c + 1] - left - 4, 18), Qt::AlignVCenter,
                QString::fromLatin1(rows[r][c]));
        }
        if (r == 1) {
            const QRect bar(list.left() + 536, top + 4, 48, 10);
            p.fillRect(bar, QColor(255, 255, 255, 90));
            p.fillRect(bar.adjusted(0, 0, -28, 0), QColor(120, 220, 110));
        }
    }
    // The scroll bars right of and below the list.
    const QRect v(list.right() + 1, list.top(), 16, list.height() + 16);
    p.fillRect(v, s.scrollFill);
    p.drawPixmap(v.left(), v.top(), s.vScrollUp);
    p.drawPixmap(QRect(v.left(), v.top() + 16, 16, v.height() - 48), s.vScrollTrack);
    p.drawPixmap(v.left(), v.bottom() - 31, s.vScrollDown);
    p.drawPixmap(v.left(), v.bottom() - 15, s.scrollCorner);
    p.drawPixmap(v.left() + 1, v.top() + 16, s.vScrollThumb);
    const QRect h(list.left(), list.bottom() + 1, list.width(), 16);
    p.fillRect(h, s.scrollFill);
    p.drawPixmap(h.left(), h.top(), s.hScrollLeft);
    p.drawPixmap(QRect(h.left() + 16, h.top(), h.width() - 32, 16), s.hScrollTrack);
    p.drawPixmap(h.right() - 15, h.top(), s.hScrollRight);
    p.drawPixmap(h.left() + 16, h.top(), s.hScrollThumb);
}

void MainWindowMock::PaintSlider(QPainter& p)
{
    const QRect slider(32, 505, 267, 17);
    const int left = 40;
    const int right = 180;
    p.drawPixmap(
        QRect(slider.left(), slider.top() + 3, slider.width(), 11), LoadSkinBitmap(skin_id::SliderTrack));
    p.drawPixmap(QRect(slider.left() + left + 12, slider.top() + 5, right - left + 2, 7),
        LoadSkinBitmap(skin_id::SliderBar));
    QImage thumbs[] = { LoadSkinImage(skin_id::SliderLeftThumb).convertToFormat(QImage::Format_ARGB32),
        LoadSkinImage(skin_id::SliderRightThumb).convertToFormat(QImage::Format_ARGB32) };
    for (QImage& t : thumbs)
        for (int y = 0; y < t.height(); ++y)
            for (int x = 0; x < t.width(); ++x)
                if (t.pixel(x, y) == 0xFFFFFFFF)
                    t.setPixel(x, y, 0);
    p.drawImage(slider.left() + left, slider.top(), thumbs[0]);
    p.drawImage(slider.left() + right + 13, slider.top(), thumbs[1]);
}
