// Runs the program's application object with two queued handlers that fail
// with a conversion error, and prints each message the application-level
// handler shows, one a line, then whether the event loop went on afterwards.
#include "app/BrenvoloApplication.h"
#include "platform/Prompter.h"
#include "settings/Conversion.h"

#include <QTimer>
#include <cstdio>

namespace {
class PrintingPrompter : public Prompter
{
public:
    Button message(const QString& text, const QString& title, Icon, Buttons) override
    {
        std::printf("%s|%s\n", qPrintable(title), qPrintable(text));
        std::fflush(stdout);
        return Button::Ok;
    }
};
} // namespace

int main(int argc, char** argv)
{
    BrenvoloApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvolo"));
    PrintingPrompter prompter;
    app.setPrompter(&prompter);
    QTimer::singleShot(0, [] { strToInt(QStringLiteral("tre")); });
    QTimer::singleShot(0, [] { strToDate(QStringLiteral("31/02/1999")); });
    QTimer::singleShot(0, [] {
        std::puts("still running");
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
