// The baseline of the start-up rows of bench/run-targets: a Qt program that
// shows one main window and waits. With --menu the window has a menu bar
// with one menu, so that it draws text, as every real window does (the
// first text costs the loading of the fonts).
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Brenvolo bench: bare window"));
    if (QApplication::arguments().contains(QStringLiteral("--menu")))
        window.menuBar()->addMenu(QStringLiteral("&File"));
    window.show();
    return QApplication::exec();
}
