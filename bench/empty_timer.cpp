// Baseline: the bare window with a 1 ms timer whose ticks do nothing, the least that a
// 1 ms tick can cost.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    QLabel label("empty timer", &window);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(1);
    window.show();
    return QApplication::exec();
}
