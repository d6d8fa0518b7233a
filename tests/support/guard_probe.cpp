// A program that takes the single-instance guard as brenvolo does, prints
// "ok" or "refused", and (when admitted) holds its slot until its standard
// input closes.
#include "app/TSingleInstanceGuard.h"
#include "platform/FlockInstanceLock.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FlockInstanceLock lock(Paths::runtimeDirectory());
    TSingleInstanceGuard guard(lock, QStringLiteral("brenvolo"));
    guard.setMaxInstance(1);
    if (guard.check().refused) {
        guard.terminate();
        std::puts("refused");
        std::fflush(stdout);
        // The refused instance ends as soon as its event loop starts.
        return QCoreApplication::exec() == 0 ? 3 : 4;
    }
    std::puts("ok");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
