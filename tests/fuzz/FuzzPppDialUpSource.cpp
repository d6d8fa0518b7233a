// The pppd dial-up source over arbitrary files: the peers file with its
// options and inline chat command, the chat script, the secrets, a pppd's
// command line, its pid file and its interface's flags, read through a root
// directory laid out as the system's.
//
// Input, parts separated by form feeds: etc/ppp/peers/casa, the chat script
// (etc/chatscripts/casa and etc/ppp/chat-casa), etc/ppp/pap-secrets,
// proc/4242/cmdline, run/ppp-casa.pid, sys/class/net/ppp0/flags.

#include "platform/PppDialUpSource.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/FakeShell.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QList<QByteArray> parti = FuzzSupport::parts(data, size, 6);
    const QDir root(FuzzSupport::freshDirectory());
    const auto scrivi = [&root](const char* relativo, const QByteArray& testo) {
        FuzzSupport::writeFile(root.filePath(QLatin1String(relativo)), testo);
    };
    scrivi("etc/ppp/peers/casa", parti.at(0));
    scrivi("etc/chatscripts/casa", parti.at(1));
    scrivi("etc/ppp/chat-casa", parti.at(1));
    scrivi("etc/ppp/pap-secrets", parti.at(2));
    scrivi("proc/4242/comm", "pppd\n");
    scrivi("proc/4242/cmdline", parti.at(3));
    scrivi("run/ppp-casa.pid", parti.at(4));
    scrivi("sys/class/net/ppp0/flags", parti.at(5));

    FakeShell shell;
    PppDialUpSource source(shell, root.path());
    source.phoneBook();
    source.dialParams(QStringLiteral("casa"), nullptr);
    for (int poll = 0; poll < 2; ++poll) {
        const std::optional<QList<DialUpSource::Connection>> connessioni = source.connections();
        for (const DialUpSource::Connection& c : connessioni.value_or(QList<DialUpSource::Connection>())) {
            QString errore;
            source.dialParams(c.entry, &errore);
            if (source.dial(c.entry) != PppDialUpSource::isDiallableName(c.entry))
                FuzzSupport::fail(QStringLiteral("dialling «%1»").arg(c.entry));
        }
    }
    for (const FakeShell::Call& call : shell.ran) {
        if (call.arguments.size() != 1 || !PppDialUpSource::isDiallableName(call.arguments.first()))
            FuzzSupport::fail(QStringLiteral("ran pon with %1").arg(call.arguments.join(QLatin1Char(' '))));
    }
    return 0;
}
