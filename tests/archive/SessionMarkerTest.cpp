#include "archive/SessionMarker.h"
#include "session/CountingSession.h"
#include "tests/support/FakeServizi.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString apertura = QStringLiteral("06/12/1999 21.30.05 collegamento Aperto  021 Casa");

void scrivi(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct Caso
{
    const char* nome;
    QByteArray archivio;
    std::optional<QString> interrotta; // the opening record found at the end, if any
};

TEST(SessionMarker, FindsOnlyAnOpeningRecordLeftLast)
{
    const Caso casi[] = {
        {"empty", "", std::nullopt},
        {"closed",
         "06/12/1999 21.30.05 collegamento Aperto  021 Casa\r\n06/12/1999 21.40.00 collegamento Chiuso  021\r\n",
         std::nullopt},
        {"open last", "06/12/1999 21.30.05 collegamento Aperto  021 Casa\r\n", apertura},
        {"open last, blank name", "06/12/1999 21.30.05 collegamento Aperto  021 \r\n",
         QStringLiteral("06/12/1999 21.30.05 collegamento Aperto  021 ")},
        {"open, no line end", "06/12/1999 21.30.05 collegamento Aperto  021 Casa", apertura},
        {"open, then empty lines", "06/12/1999 21.30.05 collegamento Aperto  021 Casa\r\n\r\n\r\n", apertura},
        {"LF and CR ends", "x\n06/12/1999 21.30.05 collegamento Aperto  021 Casa\r", apertura},
        {"open mid-file only",
         "06/12/1999 10.00.00 collegamento Aperto  021 \r\n06/12/1999 11.00.00 collegamento Chiuso  021\r\n",
         std::nullopt},
        {"garbage last", "06/12/1999 21.30.05 collegamento Aperto  021 Casa\r\nxyz\r\n", std::nullopt},
        {"one long line", QByteArray(10000, 'a') + "                         Aperto", std::nullopt},
    };
    for (const Caso& c : casi) {
        TestDirs dirs;
        QDir().mkpath(dirs.data());
        const QString path = dirs.data() + QStringLiteral("/tqklog.txt");
        scrivi(path, c.archivio);
        const std::optional<RecordArchivio> trovata = sessioneInterrotta(path);
        EXPECT_EQ(trovata.has_value(), c.interrotta.has_value()) << c.nome;
        if (trovata && c.interrotta) {
            EXPECT_EQ(trovata->riga, *c.interrotta) << c.nome;
        }
    }
    EXPECT_FALSE(sessioneInterrotta(QStringLiteral("/nonexistent/tqklog.txt")));
}

TEST(SessionMarker, ProposesTheLastKnownMomentOnlyForItsOwnSession)
{
    const RecordArchivio aperto(apertura);
    const QString solita = QStringLiteral("06/12/1999 21.30.05 collegamento Chiuso  021");
    const QDateTime dopo(QDate(1999, 12, 6), QTime(22, 14, 0));
    struct
    {
        const char* nome;
        std::optional<SessionMarker::Stato> stato;
        QString proposta;
    } casi[] = {
        {"no state", std::nullopt, solita},
        {"own session", SessionMarker::Stato{apertura, dopo},
         QStringLiteral("06/12/1999 22.14.00 collegamento Chiuso  021")},
        {"across midnight", SessionMarker::Stato{apertura, QDateTime(QDate(1999, 12, 7), QTime(0, 3, 9))},
         QStringLiteral("07/12/1999 00.03.09 collegamento Chiuso  021")},
        {"entry name changed by the archive's code page",
         SessionMarker::Stato{QStringLiteral("06/12/1999 21.30.05 collegamento Aperto  021 Cas\u0101"), dopo},
         QStringLiteral("06/12/1999 22.14.00 collegamento Chiuso  021")},
        {"another session",
         SessionMarker::Stato{QStringLiteral("05/12/1999 21.30.05 collegamento Aperto  021 Casa"), dopo}, solita},
        {"moment before the opening", SessionMarker::Stato{apertura, QDateTime(QDate(1999, 12, 6), QTime(21, 0, 0))},
         solita},
    };
    for (const auto& c : casi)
        EXPECT_EQ(SessionMarker::chiusuraProposta(aperto, c.stato), c.proposta) << c.nome;
}

TEST(SessionMarker, ReadsBackWhatItWroteAndRefusesAnythingElse)
{
    TestDirs dirs;
    QDir().mkpath(dirs.data());
    const SessionMarker marker(dirs.data());
    EXPECT_FALSE(marker.leggi());
    const QDateTime momento(QDate(1999, 12, 6), QTime(21, 31, 5));
    ASSERT_TRUE(marker.scrivi(apertura, momento));
    const auto stato = marker.leggi();
    ASSERT_TRUE(stato);
    EXPECT_EQ(stato->apertura, apertura);
    EXPECT_EQ(stato->momento, momento);

    for (const QByteArray& guasto : {QByteArray("garbage"), QByteArray(apertura.toUtf8() + "\nyesterday\n"),
                                     QByteArray("06/12/1999 21.30.05 collegamento Chiuso  021\n06/12/1999 21:31:05\n"),
                                     QByteArray(100000, '\n')}) {
        scrivi(marker.path(), guasto);
        EXPECT_FALSE(marker.leggi()) << guasto.left(60).toStdString();
    }
    marker.rimuovi();
    EXPECT_FALSE(QFile::exists(marker.path()));
}

// The session keeps its last known moment while counting: written at the
// start, replaced every ten seconds of the clock, gone after the stop. A
// session killed 61 s in is closed at most ten seconds early.
TEST(SessionMarker, CountingSessionKeepsItWhileCounting)
{
    FakeServizi s;
    s.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("2"));
    s.stato.fromStore(s.store);
    CountingSession session(s.servizi, s.stato);
    session.setNomeConnessione([] { return QStringLiteral("Casa"); });
    const SessionMarker marker(s.dirs.data());
    ASSERT_TRUE(session.start());
    auto stato = marker.leggi();
    ASSERT_TRUE(stato);
    EXPECT_EQ(stato->apertura, apertura);
    EXPECT_EQ(stato->momento, s.clock.now());

    const QDateTime inizio = s.clock.now();
    for (int secondo = 1; secondo <= 61; ++secondo) {
        s.clock.advance(1000);
        session.battito(s.clock.now());
    }
    EXPECT_EQ(marker.leggi()->momento, inizio.addSecs(60));

    ASSERT_TRUE(session.stop());
    EXPECT_FALSE(QFile::exists(marker.path()));
    session.battito(s.clock.now().addSecs(3600));
    EXPECT_FALSE(QFile::exists(marker.path())) << "no moment written once stopped";
}

// A state that cannot be written (here a folder took its name; a full disk
// does the same) is told once a session, and the session counts on.
TEST(SessionMarker, AFailedWriteIsToldOnce)
{
    FakeServizi s;
    s.configured(QStringLiteral("tariffa"), QStringLiteral("flag5"), QStringLiteral("2"));
    s.stato.fromStore(s.store);
    CountingSession session(s.servizi, s.stato);
    QList<Message> avvisi;
    QObject::connect(&session, &CountingSession::avviso, [&avvisi](const Message& m) { avvisi.append(m); });
    const SessionMarker marker(s.dirs.data());
    ASSERT_TRUE(session.start());
    QFile::remove(marker.path());
    ASSERT_TRUE(QDir().mkdir(marker.path()));
    for (int secondo = 1; secondo <= 30; ++secondo) {
        s.clock.advance(1000);
        session.battito(s.clock.now());
    }
    ASSERT_EQ(avvisi.size(), 1);
    EXPECT_TRUE(
        avvisi[0].text.startsWith(QStringLiteral("Impossibile salvare lo stato della chiamata in ") + marker.path()))
        << avvisi[0].text.toStdString();
    EXPECT_TRUE(session.isRunning());
}

} // namespace
