// The yardstick of the start-up benchmark: the smallest Qt widget program,
// ending the moment its first picture is shown.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <link.h>

namespace {

// With KELVARA_STARTUP_TRACE set, tells the shared objects mapped at the
// first paint, as kelvara's trace does.
void TellMappedSharedObjects()
{
    if (!std::getenv("KELVARA_STARTUP_TRACE"))
        return;
    int count = 0;
    dl_iterate_phdr(
        [](dl_phdr_info*, std::size_t, void* data) {
            ++*static_cast<int*>(data);
            return 0;
        },
        &count);
    std::fprintf(stderr, "minimal window: painted (%d libraries)\n", count);
}

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::darkBlue);
        TellMappedSharedObjects();
        QTimer::singleShot(0, [] { std::_Exit(0); });
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Window window;
    window.resize(802, 565);
    window.show();
    return QApplication::exec();
}
