// The baseline of the idle rows of bench/run-targets: a Qt program that shows
// a small window and runs a 500 ms timer that does nothing, as the program
// polls the dial-up connection while idle.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Brenvolo bench: bare timer"));
    window.show();
    QTimer timer;
    timer.setInterval(500);
    QObject::connect(&timer, &QTimer::timeout, &app, [] {});
    timer.start();
    return QApplication::exec();
}
