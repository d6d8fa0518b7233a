#include "platform/ReplacingFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void scrivi(const QString& path, const QDateTime& quando)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.flush();
    ASSERT_TRUE(file.setFileTime(quando, QFileDevice::FileModificationTime));
}

// What a writer killed before its commit left goes at the next start; a new
// file of a writer still at work, and anything else, stays.
TEST(ReplacingFile, RemovesOnlyItsOwnOldLeftovers)
{
    QTemporaryDir dir;
    const QDateTime adesso = QDateTime::currentDateTime();
    const QDateTime ieri = adesso.addDays(-1);
    scrivi(dir.filePath(QStringLiteral("mar_99.xlsx.nuovo-Ab12Cd")), ieri);
    scrivi(dir.filePath(QStringLiteral("tqklog.tx~.nuovo-zzzzzz")), ieri);
    scrivi(dir.filePath(QStringLiteral("apr_99.txt.nuovo-Ab12Cd")), adesso);
    scrivi(dir.filePath(QStringLiteral("mar_99.xlsx")), ieri);
    scrivi(dir.filePath(QStringLiteral("note.nuovo-corto")), ieri);
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("mar_99.xlsx")), dir.filePath(QStringLiteral("l.nuovo-AAAAAA"))));

    ReplacingFile::removeLeftovers(dir.path(), adesso.addSecs(-300));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System, QDir::Name),
              (QStringList{QStringLiteral("apr_99.txt.nuovo-Ab12Cd"), QStringLiteral("l.nuovo-AAAAAA"),
                           QStringLiteral("mar_99.xlsx"), QStringLiteral("note.nuovo-corto")}));
}

// A replacement that fails leaves the target and no new file.
TEST(ReplacingFile, ACancelledFileLeavesTheTargetAsItWas)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("mar_99.txt"));
    scrivi(target, QDateTime::currentDateTime());
    {
        ReplacingFile file(target);
        ASSERT_TRUE(file.open());
        file.write("nuovo");
    }
    QFile letto(target);
    ASSERT_TRUE(letto.open(QIODevice::ReadOnly));
    EXPECT_EQ(letto.readAll(), QByteArray("x"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("mar_99.txt")});
}

} // namespace
