// Settings files the program did not write: garbage, thousands of sections,
// and a file another program rewrites while the program reads it. Every read
// gives a value the file held or the read default, and nothing crashes; the
// 100,000-section file is measured by tools/hostile-files.

#include "platform/IniSettingsBackend.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

QString settingsFile(const TestDirs& dirs)
{
    return dirs.settingsDirectory() + QStringLiteral("/Software.ini");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The factory values as the program writes them.
QByteArray factoryFile(const TestDirs& dirs)
{
    IniSettingsBackend backend(dirs.settingsDirectory());
    SettingsStore(backend).writeFirstRunDefaults(220);
    QFile file(settingsFile(dirs));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QFile::remove(settingsFile(dirs));
    return bytes;
}

// Random bytes: whatever Qt makes of them is read with every reader's checks
// (a price of digits, a class of 1 to 4), and nothing crashes. When Qt finds
// the file malformed, it is first copied aside whole (the start-up tells the user).
TEST(HostileSettings, GarbageIsReadWithTheReadersChecks)
{
    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(18);
    for (char& c : garbage)
        c = static_cast<char>(random.bounded(256));

    for (const QByteArray& bytes : {garbage, QByteArray("[importo\n") + garbage}) {
        TestDirs dirs;
        writeFile(settingsFile(dirs), bytes);
        IniSettingsBackend backend(dirs.settingsDirectory());
        const QStringList rescued = backend.rescueUnreadableFiles();
        const QStringList copies =
            QDir(dirs.settingsDirectory()).entryList({QStringLiteral("Software.ini.illeggibile-*")}, QDir::Files);
        if (bytes.startsWith("[importo\n")) {
            EXPECT_FALSE(rescued.isEmpty());
        }
        if (!rescued.isEmpty()) {
            ASSERT_EQ(copies.size(), 1);
            EXPECT_TRUE(rescued.first().endsWith(copies.first()));
            QFile copy(dirs.settingsDirectory() + QLatin1Char('/') + copies.first());
            ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
            EXPECT_EQ(copy.readAll(), bytes);
        } else {
            EXPECT_TRUE(copies.isEmpty());
        }

        const SettingsStore store(backend);
        QStringList problemi;
        StatoProgramma stato;
        stato.fromStore(store, &problemi);
        bool digits = false;
        stato.CostoScatto.toLongLong(&digits);
        EXPECT_TRUE(digits) << stato.CostoScatto.toStdString();
        EXPECT_GE(stato.TariffaCorrente, 1);
        EXPECT_LE(stato.TariffaCorrente, 4);
        for (const Setting& s : Catalogue::all)
            store.readInteger(s, &problemi);
        store.allValues();
    }
}

// The program's own sections among thousands of others are read as they are.
TEST(HostileSettings, ThousandsOfSectionsHideNothing)
{
    TestDirs dirs;
    QByteArray bytes = factoryFile(dirs);
    for (int i = 0; i < 5000; ++i)
        bytes += "[sezione" + QByteArray::number(i) + "]\nvalore=" + QByteArray::number(i) + "\n";
    bytes += "[importo]\ncosto=999\n"; // a second section of the same name adds to the first
    writeFile(settingsFile(dirs), bytes);

    IniSettingsBackend backend(dirs.settingsDirectory());
    EXPECT_TRUE(backend.rescueUnreadableFiles().isEmpty());
    const SettingsStore store(backend);
    StatoProgramma stato;
    stato.fromStore(store);
    const StatoProgramma factory = StatoProgramma::fromFactoryDefaults();
    EXPECT_EQ(stato.feriali, factory.feriali);
    EXPECT_EQ(stato.festivita, factory.festivita);
    EXPECT_EQ(stato.CostoScatto, QStringLiteral("999"));
    EXPECT_EQ(store.allValues().size(), 49 + 5000);
}

// A hand-edited file: names in capitals, which the program never looks up,
// values QSettings does not read as a text and keys that make a group with
// no name ("/01", "a//b") are neither read nor listed, so brenvolo-cli's copy
// of the store reads exactly what the program reads, and the copy ends.
TEST(HostileSettings, WhatCannotBeReadIsNotListedOrCopied)
{
    TestDirs dirs;
    writeFile(settingsFile(dirs), "[Importo]\nCosto=200\n[importo]\ncosto=152\nCosto=300\n"
                                  "[esegui]\naltro=@Variant(\\0\\0\\0\\0)\nbrowser=/usr/bin/x\n/01=x\na//b=y\n");
    IniSettingsBackend backend(dirs.settingsDirectory());
    const SettingsStore store(backend);
    MemorySettingsBackend memory;
    memory.copyFrom(backend, SettingsStore::chiave);
    const SettingsStore copy(memory);
    for (const Setting& s : Catalogue::all)
        EXPECT_EQ(copy.read(s), store.read(s)) << s.section << '/' << s.value;
    EXPECT_EQ(store.read(Catalogue::ImportoCosto), QStringLiteral("152"));
    EXPECT_EQ(store.read(Catalogue::EseguiAltro), QStringLiteral("NESSUNO"));
    EXPECT_EQ(store.allValues(),
              (QList<SettingsStore::Entry>{
                  {QStringLiteral("esegui"), QStringLiteral("browser"), QStringLiteral("/usr/bin/x")},
                  {QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("152")}}));
}

// Another program rewrites the file while the program reads it, either in
// place (truncating, then writing) or through a new file renamed over it.
// An atomic rewrite is read whole; one in place may be read cut short, and
// a value cut off reads as its default.
struct RewriteCase
{
    const char* name;
    bool atomic;
};

void PrintTo(const RewriteCase& c, std::ostream* os)
{
    *os << c.name;
}

class RewrittenWhileRead : public ::testing::TestWithParam<RewriteCase>
{
};

TEST_P(RewrittenWhileRead, GivesOneOfTheValuesOrTheDefault)
{
    TestDirs dirs;
    const QByteArray a = factoryFile(dirs);
    QByteArray b = a;
    b.replace("costo=152", "costo=487");
    ASSERT_NE(a, b);
    writeFile(settingsFile(dirs), a);

    std::atomic<bool> done{false};
    std::atomic<int> rewrites{0};
    const bool atomic = GetParam().atomic;
    const QString path = settingsFile(dirs);
    std::thread other([&] {
        for (int i = 0; !done; ++i) {
            const QByteArray& bytes = i % 2 ? a : b;
            if (atomic) {
                QSaveFile file(path);
                if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
                    file.commit();
            } else {
                QFile file(path);
                if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                    file.write(bytes);
            }
            ++rewrites;
        }
    });

    IniSettingsBackend backend(dirs.settingsDirectory());
    const SettingsStore store(backend);
    const QStringList factoryBands = StatoProgramma::fromFactoryDefaults().feriali;
    const QStringList allowed =
        atomic ? QStringList{QStringLiteral("152"), QStringLiteral("487")}
               : QStringList{QStringLiteral("152"), QStringLiteral("487"), QStringLiteral("000"), QStringLiteral("1"),
                             QStringLiteral("15"),  QStringLiteral("4"),   QStringLiteral("48")};
    for (int i = 0; i < 400; ++i) {
        StatoProgramma stato;
        stato.fromStore(store);
        ASSERT_TRUE(allowed.contains(stato.CostoScatto)) << stato.CostoScatto.toStdString();
        if (atomic) {
            ASSERT_EQ(stato.feriali, factoryBands);
        }
    }
    done = true;
    other.join();
    EXPECT_GT(rewrites.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, RewrittenWhileRead,
                         ::testing::Values(RewriteCase{"inPlace", false}, RewriteCase{"atomic", true}),
                         [](const ::testing::TestParamInfo<RewriteCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
