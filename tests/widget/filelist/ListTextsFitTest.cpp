// Every text the file list shows in full fits its column, in the list's own
// font, at the screen's pixel ratio (ctest runs these again at twice the
// scale); a long source path is shortened where its file name stays whole.
#include "FileListFixture.h"
#include "skin/CSkinHeaderCtrl.h"

#include <QPainter>

namespace kelvara {
namespace {

// How far the drawn text reaches, in the list's pixels, when painted as the
// list paints it on this screen: the ink, not the advance the font claims.
int InkWidth(const QFont& font, const QString& text, qreal ratio)
{
    QImage image((QSize(600, 30) * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(0, 20, text);
    p.end();
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = image.width() - 1; x > right; --x)
            if (qAlpha(image.pixel(x, y)) != 0)
                right = x;
    return int(std::ceil((right + 1) / ratio));
}

class ListTextsFit : public FileListFixture {
protected:
    // The text is drawn whole: no ellipsis, and its ink inside the room.
    void ExpectFits(const QFont& font, const QString& text, int room, const char* what)
    {
        const QFontMetrics metrics(font);
        EXPECT_LE(metrics.horizontalAdvance(text), room) << what << ": " << qPrintable(text);
        EXPECT_LE(InkWidth(font, text, list->devicePixelRatioF()), room) << what << ": " << qPrintable(text);
    }
    int Width(JobColumn column) const { return list->columnWidth(static_cast<int>(column)); }
};

TEST_F(ListTextsFit, EveryColumnsLongestTextAndEveryTitle)
{
    Add({ "/media/clip.mp4" });
    JobRecord job = jobs.GetAt(0);
    job.trimEndMs = (99 * 3600 + 59 * 60 + 59) * 1000.0;
    job.sourceWidth = 7680;
    job.sourceHeight = 4320;
    job.fileNumber = 99999;
    job.stage = JobStage::Encoding;
    job.encodedSeconds = 1.0;
    job.encodedSizeKb = 1;
    jobs.SetAt(0, job);
    const QFont& font = list->font();
    // Plain texts start 2 pixels in; the status is drawn over its bar, across the cell.
    ExpectFits(font, list->CellInfo(0, 2).text, Width(JobColumn::SplitSpan) - 2, "split span");
    ExpectFits(font, list->CellInfo(0, 3).text, Width(JobColumn::FrameSize) - 2, "frame size");
    host.kind = OutputKind { OutputCategory::Audio, static_cast<int>(AudioKind::Mp3) };
    ExpectFits(font, list->CellInfo(0, 5).text, Width(JobColumn::Status), "status while encoding");
    host.kind = OutputKind { OutputCategory::MobileVideo, static_cast<int>(MobileKind::Psp) };
    for (const int profile : { 0, 17 }) { // M4V and MAQ names
        host.pspProfile = profile;
        ExpectFits(font, list->CellInfo(0, 4).text, Width(JobColumn::OutType) - 2, "PSP name");
    }
    job.finished = 1;
    jobs.SetAt(0, job);
    ExpectFits(font, list->CellInfo(0, 5).text, Width(JobColumn::Status), "finished");

    const QVector<ListColumn> columns = FileListView::Columns();
    for (const ListColumn& column : columns)
        ExpectFits(CSkinHeaderCtrl::TitleFont(), column.title,
            CSkinHeaderCtrl::TitleRect(0, column.width, list->Header()->height()).width(), "title");
}

TEST_F(ListTextsFit, ASourcePathIsShortenedInItsMiddleAndTheRowTellsItWhole)
{
    const QString path
        = QStringLiteral("/home/ann/Videos/holidays/2023 summer/Brittany/the beach at dusk.mp4");
    Add({ path });
    EXPECT_TRUE(list->CellInfo(0, 1).pathEllipsis);
    for (const int column : { 1, 5 }) {
        EXPECT_EQ(list->model()->index(0, column).data(Qt::ToolTipRole).toString(), path);
        EXPECT_EQ(list->model()->index(0, column).data(Qt::AccessibleDescriptionRole).toString(), path);
    }
}

} // namespace
} // namespace kelvara
