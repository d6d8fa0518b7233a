#include "tests/support/CliProcess.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QProcess>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace {

// Each tests/data/<case>/cli/<name>.args (one argument a line) run over a copy
// of <case>/tqklog.txt: it prints <name>.out (DATI for the data directory) and
// <name>.err, exits with <name>.exit (0 without one) and leaves new or changed
// exactly the files of <name>/, an .xlsx as its cells in <file>.celle.

const QDir dati(QStringLiteral(BRENVOLO_TEST_DATA));

QByteArray leggi(const QString& path)
{
    QFile file(path);
    if (file.fileName().endsWith(QLatin1String(".xlsx"))) {
        QProcess python;
        // The cells as tools/golden-files writes them.
        python.start(QStringLiteral("/usr/bin/python3"),
                     {dati.filePath(QStringLiteral("../../tools/golden-files")), QStringLiteral("--celle"), path});
        python.waitForFinished(60000);
        return python.readAllStandardOutput();
    }
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::string> comandi()
{
    std::vector<std::string> tutti;
    for (const QString& caso : dati.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir cli(dati.filePath(caso + QStringLiteral("/cli")));
        for (const QString& args : cli.entryList({QStringLiteral("*.args")}))
            tutti.push_back((caso + QLatin1Char('/') + args.chopped(5)).toStdString());
    }
    return tutti;
}

class GoldenFiles : public ::testing::TestWithParam<std::string>
{
};

TEST_P(GoldenFiles, CommandPrintsAndLeavesTheExpectedFiles)
{
    const QString caso = QString::fromStdString(GetParam()).section(QLatin1Char('/'), 0, 0);
    const QString atteso =
        dati.filePath(caso + QStringLiteral("/cli/") + QString::fromStdString(GetParam()).section(QLatin1Char('/'), 1));
    const QString archivio = dati.filePath(caso + QStringLiteral("/tqklog.txt"));
    TestDirs dirs;
    ASSERT_TRUE(QFile::copy(archivio, dirs.data() + QStringLiteral("/tqklog.txt")));
    CliRun run = cli(QString::fromUtf8(leggi(atteso + QStringLiteral(".args"))).split(u'\n', Qt::SkipEmptyParts));
    EXPECT_EQ(run.out.replace(dirs.data(), QStringLiteral("DATI")),
              QString::fromUtf8(leggi(atteso + QStringLiteral(".out"))));
    EXPECT_EQ(run.err, QString::fromUtf8(leggi(atteso + QStringLiteral(".err"))));
    EXPECT_EQ(run.exitCode, leggi(atteso + QStringLiteral(".exit")).trimmed().toInt());

    QStringList lasciati;
    for (const QFileInfo& file : QDir(dirs.data()).entryInfoList(QDir::Files)) {
        if (file.fileName() == QLatin1String("tqklog.txt") && leggi(file.filePath()) == leggi(archivio))
            continue;
        lasciati << file.fileName() + (file.suffix() == QLatin1String("xlsx") ? QStringLiteral(".celle") : QString());
        EXPECT_EQ(leggi(file.filePath()), leggi(atteso + QLatin1Char('/') + lasciati.last()))
            << file.fileName().toStdString();
    }
    EXPECT_EQ(lasciati, QDir(atteso).entryList(QDir::Files));
}

INSTANTIATE_TEST_SUITE_P(Data, GoldenFiles, ::testing::ValuesIn(comandi()), [](const auto& info) {
    std::string nome = info.param;
    std::replace_if(
        nome.begin(), nome.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return nome;
});

} // namespace
