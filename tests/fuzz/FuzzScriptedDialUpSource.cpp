// The scripted dial-up source over an arbitrary script file, read at every
// poll as the program reads it.

#include "platform/ScriptedDialUpSource.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString file = QDir(FuzzSupport::freshDirectory()).filePath(QStringLiteral("script.txt"));
    FuzzSupport::writeFile(file, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    ScriptedDialUpSource source(file);
    const auto connessioni = source.connections();
    const auto rubrica = source.phoneBook();
    if (!connessioni || !rubrica)
        FuzzSupport::fail(QStringLiteral("a readable script was not read"));
    for (const DialUpSource::PhoneBookEntry& voce : *rubrica) {
        QString errore;
        if (!source.dialParams(voce.name, &errore))
            FuzzSupport::fail(QStringLiteral("the listed entry «%1» has no parameters: %2").arg(voce.name, errore));
    }
    for (const DialUpSource::Connection& c : *connessioni) {
        QString errore;
        source.dialParams(c.entry, &errore);
        ScriptedDialUpSource::stateOf(c.deviceName);
    }
    return 0;
}
