// Writes the settings store in a loop until killed: importo/costo takes the
// values 1, 2, 3 ... each padded to a long text, so a half-written file
// would show; it prints each number once written.
#include "platform/IniSettingsBackend.h"
#include "platform/Paths.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    IniSettingsBackend backend(Paths::configDirectory());
    SettingsStore store(backend);
    store.writeFirstRunDefaults(220);
    std::puts("ready");
    std::fflush(stdout);
    for (int i = 1;; ++i) {
        store.writeText(QStringLiteral("importo"), QStringLiteral("costo"),
                        QString::number(i) + QString(4000, QLatin1Char('x')) + QString::number(i));
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
