// The yardstick of the start-up benchmark: the smallest Qt widget program,
// ending the moment its first picture is shown.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::darkBlue);
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
