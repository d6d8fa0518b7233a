#include "platform/IniSettingsBackend.h"
#include "settings/ReportingSettingsBackend.h"
#include "settings/SettingsRepair.h"
#include "settings/SettingsStore.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <gtest/gtest.h>

#include <csignal>

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

TEST(IniSettingsBackend, FoldsNamesAndKeepsFilesPrivate)
{
    TestDirs dirs;
    IniSettingsBackend backend(dirs.settingsDirectory());
    SettingsStore store(backend);
    store.writeInteger(QStringLiteral("Posizione"), QStringLiteral("posX"), 42);
    EXPECT_EQ(store.readInteger(QStringLiteral("posizione"), QStringLiteral("PosX"), 0), 42);
    store.writeText(QStringLiteral("LIMITI"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
    EXPECT_EQ(store.readText(QStringLiteral("limiti"), QStringLiteral("checkbox6_checked"), QString()),
              QStringLiteral("True"));

    const QString file = dirs.settingsDirectory() + QStringLiteral("/Software.ini");
    EXPECT_TRUE(fileText(file).contains(QStringLiteral("[posizione]")));
    EXPECT_TRUE(fileText(file).contains(QStringLiteral("posx=42")));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(QFileInfo(file).permissions() & others, QFileDevice::Permissions());
    EXPECT_EQ(QFileInfo(dirs.settingsDirectory()).permissions() & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFileInfo(dirs.settingsDirectory()).permissions().testFlag(QFileDevice::ExeOwner));
}

TEST(IniSettingsBackend, FirstRunAndDefaults)
{
    TestDirs dirs;
    IniSettingsBackend backend(dirs.settingsDirectory());
    SettingsStore store(backend);
    EXPECT_TRUE(store.isFirstRun());
    store.open();
    EXPECT_TRUE(store.isFirstRun());
    store.writeFirstRunDefaults(260);
    EXPECT_FALSE(store.isFirstRun());
    EXPECT_EQ(store.allValues().size(), 49);
    EXPECT_EQ(store.readText(QStringLiteral("feriali"), QStringLiteral("FASCIA2"), QString()),
              QStringLiteral("18.30.01-23.59.59-4000-1500-0800-0500"));
    EXPECT_EQ(store.readInteger(QStringLiteral("posizione"), QStringLiteral("poscostix"), 0), 260);

    // The user empties the file but keeps it: a first run again.
    writeFile(dirs.settingsDirectory() + QStringLiteral("/Software.ini"), QByteArray());
    EXPECT_TRUE(store.isFirstRun());
}

// What the command-line tool copies in one reading must be what a copy key
// by key gives: the same keys, names and texts in the same order.
TEST(IniSettingsBackend, ValuesBelowAKeyComeAsAKeyByKeyCopyGivesThem)
{
    TestDirs dirs;
    writeFile(dirs.settingsDirectory() + QStringLiteral("/Software.ini"),
              "[General]\nradice=1\n\n"
              "[limiti]\ncheckbox6_checked=True\nrxspinedit4_value=60\n(predefinito)=\n\n"
              "[a%20b]\nx=\"1, 2\"\n\n[a]\nz=elenco, con, virgole\ny=2\n\n[a/sotto]\nw=3\n\n"
              "[posizionefine]\nposx=5\n\n[posizione]\nposx=4\n");
    const IniSettingsBackend backend(dirs.settingsDirectory());

    QList<IniSettingsBackend::StoredValue> keyByKey;
    const auto copy = [&](const auto& self, const QString& key) -> void {
        for (const auto& [name, text] : backend.values(key))
            keyByKey.append({key, name, text});
        for (const QString& sub : backend.subKeys(key))
            self(self, key + QLatin1Char('\\') + sub);
    };
    copy(copy, SettingsStore::chiave);

    const QList<IniSettingsBackend::StoredValue> once = backend.valuesBelow(SettingsStore::chiave);
    ASSERT_EQ(once.size(), 10);
    EXPECT_EQ(once, keyByKey);
    EXPECT_TRUE(once.contains(IniSettingsBackend::StoredValue{
        QStringLiteral("Software\\Brenvolo\\a"), QStringLiteral("z"), QStringLiteral("elenco, con, virgole")}));
    EXPECT_TRUE(once.contains(
        IniSettingsBackend::StoredValue{QStringLiteral("Software\\Brenvolo\\limiti"), QString(), QString()}));
    EXPECT_TRUE(
        IniSettingsBackend(dirs.path() + QStringLiteral("/altrove")).valuesBelow(SettingsStore::chiave).isEmpty());
}

TEST(IniSettingsBackend, SoundEventsLiveInTheirOwnFile)
{
    TestDirs dirs;
    IniSettingsBackend backend(dirs.settingsDirectory());
    SettingsStore store(backend);
    store.registerSoundEvents();
    for (const QString& event : SettingsStore::soundEvents())
        EXPECT_TRUE(backend.keyExists(SettingsStore::chiaveEventi + QLatin1Char('\\') + event));
    EXPECT_EQ(store.soundFile(QStringLiteral("Fine Scatto")), QStringLiteral("N/D"));
    backend.setValue(SettingsStore::chiaveEventi + QStringLiteral("\\Fine Scatto\\.current"), QString(),
                     QStringLiteral("/tmp/scatto.wav"));
    EXPECT_EQ(store.soundFile(QStringLiteral("Fine Scatto")), QStringLiteral("/tmp/scatto.wav"));
    EXPECT_TRUE(store.isFirstRun());
}

TEST(IniSettingsBackend, UnreadableFileIsCopiedAsideBeforeAnyWrite)
{
    TestDirs dirs;
    const QString file = dirs.settingsDirectory() + QStringLiteral("/Software.ini");
    const QByteArray broken = "[importo\ncosto=999\n";
    writeFile(file, broken);
    IniSettingsBackend backend(dirs.settingsDirectory());
    const QStringList rescued = backend.rescueUnreadableFiles();
    const QStringList copies =
        QDir(dirs.settingsDirectory()).entryList({QStringLiteral("Software.ini.illeggibile-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    ASSERT_EQ(rescued.size(), 1);
    EXPECT_TRUE(rescued.first().endsWith(copies.first()));
    QFile copy(dirs.settingsDirectory() + QLatin1Char('/') + copies.first());
    copy.open(QIODevice::ReadOnly);
    EXPECT_EQ(copy.readAll(), broken);

    // The file is readable again, with what could be read of it, so the next
    // start rescues nothing; a readable store is left alone.
    QSettings again(file, QSettings::IniFormat);
    EXPECT_EQ(again.status(), QSettings::NoError);
    EXPECT_TRUE(backend.rescueUnreadableFiles().isEmpty());
    SettingsStore store(backend);
    EXPECT_TRUE(store.writeFirstRunDefaults(220));
    EXPECT_TRUE(backend.rescueUnreadableFiles().isEmpty());
}

// A settings file of garbage: kept aside once, made readable again, every
// missing first-run value written back, the user told once, and no write
// taken for a failure because of what the file held before.
TEST(IniSettingsBackend, GarbageFileIsKeptAsideAndItsMissingValuesComeBack)
{
    TestDirs dirs;
    const QString file = dirs.settingsDirectory() + QStringLiteral("/Software.ini");
    static const char bytes[] = "\x01\x02\n[feriali\nfascia1=zzz\n[importo]\ncosto=200\n\xff\xfe[[[\n=\n\x00\x00";
    const QByteArray garbage(bytes, sizeof bytes - 1);
    writeFile(file, garbage);
    IniSettingsBackend ini(dirs.settingsDirectory());
    ReportingSettingsBackend settings(ini, dirs.settingsDirectory());
    int failures = 0;
    settings.setOnFirstFailure([&failures](const QString&) { ++failures; });
    SettingsStore store(settings);

    const QStringList copies = settings.rescueUnreadableFiles();
    ASSERT_EQ(copies.size(), 1);
    ASSERT_TRUE(store.open());
    const SettingsRepair repair = SettingsRepair::run(store, copies, 220);
    EXPECT_TRUE(repair.salvati);
    EXPECT_EQ(failures, 0);
    const QString message = repair.messaggio();
    EXPECT_TRUE(message.contains(copies.first())) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("fasce orarie del sabato"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("festività"))) << message.toStdString();

    QFile copy(copies.first());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), garbage);

    // A fresh reader finds a whole, readable store with every first-run value.
    IniSettingsBackend again(dirs.settingsDirectory());
    const SettingsStore reread(again);
    EXPECT_TRUE(reread.missingFirstRunValues(220).isEmpty());
    EXPECT_EQ(reread.read(Catalogue::Sabato[0]), QStringLiteral("08.00.00-13.00.00-2200-0750-0400-0267"));
    EXPECT_TRUE(again.rescueUnreadableFiles().isEmpty());
    const SettingsRepair next = SettingsRepair::run(store, {}, 220);
    EXPECT_TRUE(next.messaggio().isEmpty());
}

TEST(IniSettingsBackend, KilledWriterLeavesAWholeFile)
{
    TestDirs dirs;
    for (int round = 0; round < 5; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(STORE_WRITER), {});
        // Let it complete a different number of writes each round, then kill it mid-way.
        int written = 0;
        while (written < round * 5 + 2 && writer.waitForReadyRead(20000))
            written += writer.readAll().count('\n');
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        writer.waitForFinished(20000);

        QSettings settings(dirs.settingsDirectory() + QStringLiteral("/Software.ini"), QSettings::IniFormat);
        ASSERT_EQ(settings.status(), QSettings::NoError);
        const QString costo = settings.value(QStringLiteral("importo/costo")).toString();
        const QString number = costo.section(QLatin1Char('x'), 0, 0);
        ASSERT_FALSE(number.isEmpty());
        EXPECT_EQ(costo, number + QString(4000, QLatin1Char('x')) + number);
        EXPECT_EQ(settings.childGroups().size(), 18) << "every section of the defaults is still there";
    }
}

// Files the program never writes: zeros a power cut left, zeros before a
// whole store, a serialised value that would make QSettings ask for 60 GB.
// Each is kept aside, what is text is read, and nothing is decoded, neither by
// the program's rescue nor by a reader that rescues nothing (brenvolo-cli).
struct NotTextCase
{
    const char* name;
    QByteArray bytes;
    QString utente; // [connessione] utente once rescued; empty when the store is gone
};

void PrintTo(const NotTextCase& c, std::ostream* os)
{
    *os << c.name;
}

class SettingsThatAreNotText : public ::testing::TestWithParam<NotTextCase>
{
};

TEST_P(SettingsThatAreNotText, AreKeptAsideAndReadForWhatTheyHold)
{
    TestDirs dirs;
    const QString file = dirs.settingsDirectory() + QStringLiteral("/Software.ini");
    writeFile(file, GetParam().bytes);
    IniSettingsBackend reader(dirs.settingsDirectory());
    const SettingsStore read(reader);
    EXPECT_EQ(read.readText(QStringLiteral("connessione"), QStringLiteral("utente"), QString()), GetParam().utente);
    EXPECT_EQ(read.allValues().size(), GetParam().utente.isEmpty() ? 0 : 2);
    EXPECT_EQ(fileText(file).toUtf8(), GetParam().bytes) << "a reader leaves the file as it is";

    IniSettingsBackend backend(dirs.settingsDirectory());
    const QStringList copies = backend.rescueUnreadableFiles();
    ASSERT_EQ(copies.size(), 1);
    QFile copy(copies.first());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), GetParam().bytes);
    EXPECT_TRUE(backend.rescueUnreadableFiles().isEmpty());
    SettingsStore store(backend);
    EXPECT_EQ(store.readText(QStringLiteral("connessione"), QStringLiteral("utente"), QString()), GetParam().utente);
    EXPECT_EQ(store.readText(QStringLiteral("connessione"), QStringLiteral("password"), QString()),
              GetParam().utente.isEmpty() ? QString() : QStringLiteral("segreto"));
    EXPECT_EQ(store.isFirstRun(), GetParam().utente.isEmpty());
}

const QByteArray connessione = "[connessione]\nutente=mario\npassword=segreto\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsThatAreNotText,
    ::testing::Values(NotTextCase{"Zeros", QByteArray(4096, '\0'), QString()},
                      NotTextCase{"ZerosBeforeAStore", QByteArray(512, '\0') + connessione, QStringLiteral("mario")},
                      NotTextCase{"SerialisedValue",
                                  "[suono]\nro=@Variant(\\0\\0\\0\\to=N\\0\\0\\0\\x1)\n" + connessione,
                                  QStringLiteral("mario")}),
    [](const ::testing::TestParamInfo<NotTextCase>& info) { return info.param.name; });

TEST(IniSettingsBackend, MakesOpenFilesPrivateBeforeTheyAreRead)
{
    TestDirs dirs;
    const QString file = dirs.settingsDirectory() + QStringLiteral("/Software.ini");
    writeFile(file, "[importo]\ncosto=152\n");
    const auto open =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(file, open);
    QFile::setPermissions(dirs.settingsDirectory(),
                          open | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    IniSettingsBackend(dirs.settingsDirectory()).makePrivate();
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(QFileInfo(file).permissions() & others, QFileDevice::Permissions());
    EXPECT_EQ(QFileInfo(dirs.settingsDirectory()).permissions() & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFileInfo(dirs.settingsDirectory()).permissions().testFlag(QFileDevice::ExeOwner));
}

} // namespace
