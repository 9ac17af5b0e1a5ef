// Baseline: the bare window with a 1 ms timer that sets the label from QDateTime on every
// tick, what a straightforward clock costs.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    QLabel label(&window);
    label.setMinimumWidth(240);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&label] {
        label.setText(QDateTime::currentDateTime().toString("yyyy-M-d  dddd  H:m:s"));
    });
    timer.start(1);
    window.show();
    return QApplication::exec();
}
