// skin-gallery: every control of the skin in each of its states on the
// skin's background. With --grab FILE.png it writes that sheet and exits.
#include "MainWindowMock.h"
#include "StatesBoard.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinDropList.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinMessageBox.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

using namespace kelvara;

namespace {

constexpr int SheetWidth = 771 + 20 + 520 + 30;
constexpr int MessageRowTop = 600;
constexpr int PicturesTop = 760;

struct MessageSample {
    const char* text;
    const char* caption;
    int type;
};

// The message boxes are windows of their own: they are drawn into the sheet.
QImage MessageRow()
{
    const MessageSample samples[] = {
        { "Please stop converting.", "", box_style::Ok },
        { "Can't turn off the computer.", "Warning", box_style::IconHand },
        { "The output folder does not exist.\nCreate it and go on?", "",
            box_style::OkCancel | box_style::IconExclamation },
        { "Convert all queued files now?", "", box_style::YesNo | box_style::IconQuestion },
        { "", "", box_style::Ok },
    };
    // As fine as the boxes are drawn on this screen, so none is scaled down.
    const qreal ratio = qApp->devicePixelRatio();
    QImage row(QSize(SheetWidth - 30, 170) * ratio, QImage::Format_ARGB32);
    row.setDevicePixelRatio(ratio);
    row.fill(Qt::transparent);
    QPainter p(&row);
    int x = 0;
    for (const MessageSample& s : samples) {
        CSkinMessageBox box(nullptr, QString::fromUtf8(s.text), QString::fromUtf8(s.caption), s.type);
        box.ensurePolished();
        const QPixmap picture = box.grab();
        p.drawPixmap(x, 0, picture);
        x += LogicalSize(picture).width() + 18;
    }
    return row;
}

void Settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A window whose background is one of the skin's pictures.
class Picture : public QWidget {
public:
    Picture(int bitmapId, QWidget* parent)
        : QWidget(parent)
        , m_picture(LoadSkinBitmap(bitmapId))
    {
        setFixedSize(m_picture.size());
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, m_picture); }

private:
    QPixmap m_picture;
};

void AddSplash(QWidget* parent, QPoint at)
{
    auto* splash = new Picture(skin_id::Splash, parent);
    splash->move(at);
    auto* version = new CSkinLabel(QStringLiteral("1.0"), splash);
    version->SetEmbossed(true);
    version->SetFontHeight(14);
    version->setGeometry(308, 53, 30, 20);
}

void AddAbout(QWidget* parent, QPoint at)
{
    auto* about = new Picture(skin_id::AboutBackground, parent);
    about->move(at);
    auto* close = new CSkinButton(about);
    close->SetBitmaps(skin_id::CloseHover, qRgb(255, 255, 255), skin_id::CloseIdle, qRgb(255, 255, 255));
    close->DrawTransparent();
    close->DrawBorder(false);
    close->setGeometry(330, 2, 23, 25);
    (new CSkinLabel(QStringLiteral("1.0"), about))->setGeometry(306, 62, 25, 20);
    (new CSkinLabel(QStringLiteral("www.tarvo.test"), about))->setGeometry(206, 80, 140, 20);
    (new CSkinLabel(QStringLiteral("help@tarvo.test"), about))->setGeometry(206, 103, 140, 20);
}

class Sheet : public QWidget {
public:
    Sheet()
    {
        setFixedSize(SheetWidth, PicturesTop + 263 + 10);
        AddSplash(this, QPoint(10, PicturesTop));
        AddAbout(this, QPoint(10 + 359 + 20, PicturesTop));
        m_main = new MainWindowMock(this);
        m_main->move(10, 10);
        m_board = new StatesBoard(this);
        m_board->move(771 + 30, 10);
        m_messages = new QLabel(this);
        m_messages->move(10, MessageRowTop);
    }
    void Prepare()
    {
        m_board->ApplyStates();
        m_messages->setPixmap(QPixmap::fromImage(MessageRow()));
        m_messages->adjustSize();
    }
    QImage Picture()
    {
        QElapsedTimer waiting;
        waiting.start();
        while (!m_board->CaretShown() && waiting.elapsed() < 1500)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        QImage sheet = grab().toImage();
        // The open pop-up list is a window of its own: draw it where it shows.
        // The sheet is larger than the offscreen screen, so it is drawn below its combo here.
        CSkinComboBox* combo = m_board->OpenCombo();
        if (CSkinDropList* list = combo->DropList()) {
            QPainter p(&sheet);
            const QPoint at
                = combo->mapTo(this, QPoint(combo->width() - list->width(), CSkinComboBox::kFaceHeight));
            QPainterPath outline;
            outline.addRoundedRect(QRectF(at, QSizeF(list->size())).adjusted(0, 0, 1, 1), 2.5, 2.5);
            p.setClipPath(outline);
            p.drawPixmap(at, list->grab());
        }
        return sheet;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(58, 64, 82));
        g.setColorAt(1, QColor(30, 34, 46));
        p.fillRect(rect(), g);
    }

private:
    MainWindowMock* m_main = nullptr;
    StatesBoard* m_board = nullptr;
    QLabel* m_messages = nullptr;
};

} // namespace

int main(int argc, char* argv[])
{
    QString grabFile;
    for (int i = 1; i + 1 < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == QLatin1String("--grab"))
            grabFile = QString::fromLocal8Bit(argv[i + 1]);
    if (!grabFile.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LoadSkinPalette();

    Sheet sheet;
    sheet.setWindowTitle(QStringLiteral("Kelvara skin gallery"));
    sheet.move(0, 0);
    sheet.show();
    sheet.activateWindow();
    QElapsedTimer waiting;
    waiting.start();
    while (!sheet.isActiveWindow() && waiting.elapsed() < 2000)
        Settle(20);
    Settle(300);
    sheet.Prepare();
    Settle(600);
    if (grabFile.isEmpty())
        return QApplication::exec();
    if (!sheet.Picture().save(grabFile)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(grabFile));
        return 1;
    }
    return 0;
}
