// The toolkit's floor for the whole-process comparison: a bare Qt window of Moravel's size whose
// tray icon gets a new 16 x 16 picture and tip every second, and nothing else.
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace {

QIcon Picture(int second) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    const int height = second * 16 / 60;
    painter.fillRect(0, 16 - height, 16, height, Qt::green);
    return QIcon(pixmap);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 300, 100);
    window.show();

    QSystemTrayIcon tray;
    int second = 0;
    tray.setIcon(Picture(second));
    tray.show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        second = (second + 1) % 60;
        tray.setIcon(Picture(second));
        tray.setToolTip(QStringLiteral("CPU %1 %").arg(second));
        window.update();
    });
    timer.start(1000);
    return QApplication::exec();
}
