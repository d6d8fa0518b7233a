#include "archive/RecordArchivio.h"
#include "archive/RigheArchivio.h"
#include "archive/SessionMarker.h"
#include "platform/IniSettingsBackend.h"
#include "reports/CorrezioneChiusura.h"
#include "settings/Conversion.h"
#include "settings/SettingsStore.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// Every line of the archive is a whole record as the program writes one,
// ended by CR LF; returns how many there are.
qsizetype recordInteri(const QString& archivio)
{
    QFile file(archivio);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return 0;
    EXPECT_TRUE(bytes.endsWith("\r\n")) << "the archive ends in the middle of a line";
    static const QRegularExpression apertura(
        QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d\\.\\d\\d\\.\\d\\d collegamento Aperto  [01][1-4][12] Casa$"));
    static const QRegularExpression chiusura(
        QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d\\.\\d\\d\\.\\d\\d collegamento Chiuso  [01][1-4][12]$"));
    qsizetype n = 0;
    for (const QByteArray& riga : bytes.chopped(2).split('\n')) {
        const QString testo = QString::fromLatin1(riga.endsWith('\r') ? riga.chopped(1) : riga);
        EXPECT_TRUE(apertura.match(testo).hasMatch() || chiusura.match(testo).hasMatch())
            << "line " << n + 1 << " is no whole record: " << testo.toStdString();
        ++n;
    }
    return n;
}

// Every settings file there parses, and the store still holds every first-run value.
void impostazioniIntere(const QString& cartella)
{
    for (const QString& nome : {QStringLiteral("Software.ini"), QStringLiteral("AppEvents.ini")}) {
        const QString file = cartella + QLatin1Char('/') + nome;
        if (!QFile::exists(file))
            continue;
        QSettings letto(file, QSettings::IniFormat);
        EXPECT_EQ(letto.status(), QSettings::NoError) << nome.toStdString();
    }
    IniSettingsBackend ini(cartella);
    const SettingsStore store(ini);
    EXPECT_TRUE(store.missingFirstRunValues(220).isEmpty());
    const QString flagAuto = store.read(Catalogue::RitardoFlagAuto);
    EXPECT_TRUE(flagAuto == QLatin1String("ON") || flagAuto == QLatin1String("OFF")) << flagAuto.toStdString();
}

} // namespace

// The writer is killed (SIGKILL) at random moments while it counts sessions,
// appending 5,000 records and saving the settings at every start and stop.
// After every kill the archive holds only whole records, every settings file
// parses, and the next start's check offers to close a session left open, at
// its last known moment when that was kept; the closure is then written as
// the repair dialog writes it, and the writer goes on.
TEST(CrashSafety, KilledWhileCountingLeavesWholeRecordsAndAnOfferToClose)
{
    // A kill leaves the page cache to the kernel, so what the files hold
    // afterwards does not depend on the disk: on a memory file system the
    // writer's thousands of fsync calls cost nothing and the test stays short.
    const QByteArray tmpdir = qgetenv("TMPDIR");
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    TestDirs dirs;
    if (tmpdir.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdir);
    QDir().mkpath(dirs.data());
    const QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    QRandomGenerator caso(20261208);
    const SessionMarker marker(dirs.data());
    qsizetype records = 0;
    int offerte = 0;
    int allUltimoMomento = 0;
    for (int giro = 0; records < 5000; ++giro) {
        ASSERT_LT(giro, 400) << "the writer makes no progress";
        // Every fourth round the kill finds a session open for sure; the
        // others are killed after a random number of records, wherever it is.
        const bool aperta = giro % 4 == 3;
        const int dopo = static_cast<int>(caso.bounded(20, 400));
        QProcess writer;
        writer.start(QStringLiteral(CRASH_WRITER), aperta ? QStringList{QString::number(dopo / 2)} : QStringList{});
        ASSERT_TRUE(writer.waitForStarted(20000));
        int righe = 0;
        QByteArray uscita;
        while (writer.state() == QProcess::Running && writer.waitForReadyRead(20000)) {
            uscita += writer.readAll();
            righe = static_cast<int>(uscita.count('\n'));
            if (aperta ? uscita.contains("segnato") : righe >= dopo)
                break;
        }
        // A writer that has ended already has no pid: kill(0) would end the test's own process group.
        ASSERT_GT(writer.processId(), 0) << writer.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        writer.waitForFinished(20000);
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << writer.readAllStandardError().toStdString();
        // A kill between creating the settings' lock file and writing the
        // owner's pid into it leaves an empty lock that Qt takes for stale
        // only after 30 s; the next writer is not made to wait that out.
        const QDir impostazioni(dirs.settingsDirectory());
        for (const QString& lock : impostazioni.entryList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden))
            QFile::remove(impostazioni.filePath(lock));

        records = recordInteri(archivio);
        ASSERT_GE(records, 0);
        impostazioniIntere(dirs.settingsDirectory());
        if (HasFailure())
            return;

        // The next start's check.
        const std::optional<RecordArchivio> interrotta = sessioneInterrotta(archivio);
        if (aperta) {
            ASSERT_TRUE(interrotta) << "round " << giro;
        }
        if (!interrotta)
            continue;
        ++offerte;
        const QString proposta = SessionMarker::chiusuraProposta(*interrotta, marker.leggi());
        if (aperta) {
            // The opening record is backdated by the automatic start's 12
            // seconds; the moment kept is a minute and a second after the start.
            const QDateTime momento = QDateTime(interrotta->giorno(), interrotta->orario()).addSecs(12 + 61);
            EXPECT_EQ(RecordArchivio(proposta).dataOra(),
                      formatDate(momento.date()) + QLatin1Char(' ') + formatTime(momento.time()));
        }
        if (proposta != interrotta->chiusuraProposta())
            ++allUltimoMomento;
        const CorrezioneChiusura correzione(archivio, interrotta->riga);
        ASSERT_EQ(correzione.correggi(proposta).esito, CorrezioneChiusura::Esito::Corretta);
        marker.rimuovi();
        records = recordInteri(archivio);
    }
    EXPECT_GE(offerte, 1);
    EXPECT_GE(allUltimoMomento, 1);
    RigheArchivio righe;
    ASSERT_TRUE(RigheArchivio::leggi(archivio, righe));
    EXPECT_EQ(righe.primaSenzaChiusura(), -1) << "every session is closed";
}
