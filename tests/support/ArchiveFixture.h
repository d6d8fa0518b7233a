#pragma once

#include "archive/Windows1252.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/TestDirs.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

// A settings store with the factory values, the snapshot taken from it and
// an archive file in the data directory, for the tests of what reads it.
struct ArchiveFixture
{
    TestDirs dirs;
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");

    ArchiveFixture()
    {
        store.writeFirstRunDefaults(220);
        stato.fromStore(store);
    }

    // Writes the records to `path` in the archive's encoding, each ended by `fineRiga`.
    static void scrivi(const QString& path, const QStringList& righe, const char* fineRiga = "\r\n")
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        for (const QString& r : righe)
            file.write(Windows1252::encode(r) + fineRiga);
    }

    void scrivi(const QStringList& righe, const char* fineRiga = "\r\n") const { scrivi(archivio, righe, fineRiga); }
};
