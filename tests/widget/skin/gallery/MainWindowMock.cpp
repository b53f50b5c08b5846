#include "MainWindowMock.h"

#include "CFadeInPicture.h"
#include "CImageTab.h"
#include "CSkinButton.h"
#include "CSkinComboBox.h"
#include "CSkinGroupBox.h"
#include "CSkinLabel.h"
#include "CSkinTextField.h"
#include "RegionFromBitmap.h"
#include "SkinFont.h"
#include "SkinPalette.h"
#include "SkinResourceIds.h"

#include <QMenu>
#include <QPainter>

namespace {

constexpr QRgb White = qRgb(255, 255, 255);

CSkinButton* BitmapButton(QWidget* parent, int hoverId, QRect at)
{
    auto* button = new CSkinButton(parent);
    button->SetBitmaps(hoverId, White, hoverId + 1, White);
    button->DrawTransparent();
    button->DrawBorder(false);
    button->setGeometry(at);
    return button;
}

CSkinButton* IconCheckBox(QWidget* parent, const QString& text, QRect at, bool checked)
{
    auto* box = new CSkinButton(parent);
    box->SetCheckMode(true);
    box->setText(text);
    box->SetIcon(SkinId::CheckOnIcon, SkinId::CheckOffIcon);
    box->DrawTransparent();
    box->DrawBorder(false);
    box->SetAlign(1);
    box->SetColor(CSkinButton::TextOut, Qt::black);
    box->SetColor(CSkinButton::TextIn, QColor(20, 20, 20));
    box->SetCheck(checked);
    box->setGeometry(at);
    return box;
}

CSkinComboBox* Combo(QWidget* parent, QStringList items, QRect at, int selected)
{
    auto* combo = new CSkinComboBox(parent);
    combo->addItems(items);
    combo->SetCurSel(selected);
    combo->setGeometry(at);
    return combo;
}

void Label(QWidget* parent, const QString& text, QRect at)
{
    (new CSkinLabel(text, parent))->setGeometry(at);
}

std::unique_ptr<QMenu> Menu(const QStringList& items, int firstId)
{
    auto menu = std::make_unique<QMenu>();
    for (int i = 0; i < items.size(); ++i)
        menu->addAction(items[i])->setData(firstId + i);
    return menu;
}

} // namespace

MainWindowMock::MainWindowMock(QWidget* parent)
    : QWidget(parent)
    , m_background(LoadSkinBitmap(SkinId::MainBackground))
{
    setFixedSize(771, 565);
    m_outline = RegionFromBitmap(m_background.toImage(), White, 0).value_or(QRegion(rect()));
    AddButtons();
    AddSettings();
    auto* preview = new CFadeInPicture(this);
    preview->move(15, 286);
    preview->SetBitmap(SkinId::PreviewPlaceholder, 1);
}

void MainWindowMock::AddButtons()
{
    m_start = BitmapButton(this, SkinId::StartButton, { 30, 70, 48, 49 });
    BitmapButton(this, SkinId::AddButton, { 84, 70, 44, 49 });
    BitmapButton(this, SkinId::RemoveButton, { 130, 70, 44, 49 });
    BitmapButton(this, SkinId::ClearButton, { 176, 70, 44, 49 });
    BitmapButton(this, SkinId::FileMenuButton, { 392, 10, 64, 22 })
        ->SetMenu(Menu({ "Add Video", "Remove Video", "Clear Video" }, 32771), this);
    BitmapButton(this, SkinId::FormatMenuButton, { 460, 10, 116, 22 })
        ->SetMenu(Menu({ "To PC Video", "To Mobile Video", "To Audio" }, 32774), this);
    BitmapButton(this, SkinId::HelpMenuButton, { 580, 10, 64, 22 })
        ->SetMenu(Menu({ "Contents", "Home Page", "About..." }, 32777), this);
    BitmapButton(this, SkinId::AboutButton, { 648, 10, 64, 22 });
    BitmapButton(this, SkinId::MinimizeButton, { 722, 11, 18, 18 });
    BitmapButton(this, SkinId::MainCloseButton, { 744, 11, 18, 18 });
    BitmapButton(this, SkinId::PreviewStopButton, { 75, 531, 19, 19 });
    BitmapButton(this, SkinId::PreviousButton, { 99, 529, 42, 24 });
    auto* play = new CSkinButton(this);
    play->SetIcon(SkinId::PlayHoverIcon, SkinId::PlayIdleIcon);
    play->DrawTransparent();
    play->DrawBorder(false);
    play->setGeometry(144, 520, 32, 40);
    BitmapButton(this, SkinId::NextButton, { 179, 529, 42, 24 });
    BitmapButton(this, SkinId::SnapshotButton, { 225, 531, 19, 19 });

    auto* tabs = new CImageTab(this);
    for (int i = 0; i < 3; ++i)
        tabs->AddImage(i, SkinId::PcTabs + i);
    tabs->Select(0);
    tabs->setGeometry(323, 285, 432, 28);
}

void MainWindowMock::AddSettings()
{
    (new CSkinGroupBox(QStringLiteral("Video Format"), this))->setGeometry(335, 322, 200, 92);
    (new CSkinGroupBox(QStringLiteral("Audio Format:"), this))->setGeometry(543, 322, 202, 92);
    Label(this, QStringLiteral("FrameRate:"), { 343, 344, 80, 16 });
    m_frameRate = Combo(this, { "23.976", "25", "29.97", "30" }, { 420, 342, 106, 18 }, 1);
    Label(this, QStringLiteral("AVI Codec:"), { 343, 374, 80, 16 });
    Combo(this, { "XviD MPEG-4", "DivX", "MJPEG" }, { 420, 372, 106, 18 }, 0);
    Label(this, QStringLiteral("Sound codec:"), { 551, 344, 90, 16 });
    Combo(this, { "MP3", "PCM", "AC3" }, { 641, 342, 94, 18 }, 0);
    Label(this, QStringLiteral("AudioRate:"), { 551, 374, 90, 16 });
    Combo(this, { "44100", "48000", "22050" }, { 641, 372, 94, 18 }, 0);

    (new CSkinGroupBox(QStringLiteral("Export Video Width /Height"), this))->setGeometry(335, 420, 410, 78);
    auto* widthField = new CSkinTextField(this);
    widthField->setGeometry(350, 446, 60, 18);
    widthField->SetText(QStringLiteral("640"));
    BitmapButton(this, SkinId::SpinUpButton, { 412, 446, 13, 9 });
    BitmapButton(this, SkinId::SpinDownButton, { 412, 455, 13, 9 });
    Label(this, QStringLiteral("/"), { 430, 447, 10, 16 });
    auto* heightField = new CSkinTextField(this);
    heightField->setGeometry(442, 446, 60, 18);
    heightField->SetText(QStringLiteral("480"));
    BitmapButton(this, SkinId::SpinUpButton, { 504, 446, 13, 9 });
    BitmapButton(this, SkinId::SpinDownButton, { 504, 455, 13, 9 });
    IconCheckBox(this, QStringLiteral("Original"), { 560, 436, 70, 40 }, false);
    IconCheckBox(this, QStringLiteral("Custom"), { 640, 436, 70, 40 }, true);

    auto* folder = new CSkinTextField(this);
    folder->setGeometry(333, 534, 200, 20);
    folder->SetText(QStringLiteral("/home/user/Videos/"));
    BitmapButton(this, SkinId::BrowseButton, { 538, 533, 70, 22 });
    IconCheckBox(this, QStringLiteral("Shutdown computer when finished"), { 612, 512, 140, 46 }, false);
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
    const QPixmap states = LoadSkinBitmap(SkinId::StateIcons);
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
        p.drawImage(list.left() + 4, top + 1, icons, icon[r] * 16, 0, 16, 16);
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
        QRect(slider.left(), slider.top() + 3, slider.width(), 11), LoadSkinBitmap(SkinId::SliderTrack));
    p.drawPixmap(QRect(slider.left() + left + 12, slider.top() + 5, right - left + 2, 7),
        LoadSkinBitmap(SkinId::SliderBar));
    QImage thumbs[] = { LoadSkinImage(SkinId::SliderLeftThumb).convertToFormat(QImage::Format_ARGB32),
        LoadSkinImage(SkinId::SliderRightThumb).convertToFormat(QImage::Format_ARGB32) };
    for (QImage& t : thumbs)
        for (int y = 0; y < t.height(); ++y)
            for (int x = 0; x < t.width(); ++x)
                if (t.pixel(x, y) == 0xFFFFFFFF)
                    t.setPixel(x, y, 0);
    p.drawImage(slider.left() + left, slider.top(), thumbs[0]);
    p.drawImage(slider.left() + right + 13, slider.top(), thumbs[1]);
}
