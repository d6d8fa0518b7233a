#include "reports/TfrmConvert.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TestDirs.h"
#include "tests/support/UiTestRegistry.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray vecchio = "06/12/1999 10.15.02 collegamento Aperto  0\r\n"
                           "06/12/1999 10.45.00 collegamento Chiuso  0\r\n";

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class TestTfrmConvert : public QObject
{
    Q_OBJECT
private slots:
    void saysWhatItDoes()
    {
        TestDirs dirs;
        FakePrompter prompter;
        TfrmConvert finestra(prompter, dirs.data() + QStringLiteral("/tqklog.txt"));
        QCOMPARE(finestra.windowTitle(), QStringLiteral("Conversione"));
        QVERIFY(finestra.width() >= 266 && finestra.height() >= 139);
        QCOMPARE(finestra.minimumSize(), finestra.maximumSize());
        auto* label = finestra.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label->wordWrap());
        QVERIFY(label->text().startsWith(QStringLiteral("Questa utilità consente di convertire")));
        QVERIFY(label->text().endsWith(QStringLiteral("dovrà essere nella stessa directory del programma")));
        QCOMPARE(finestra.findChild<QPushButton*>(QStringLiteral("ConvBtn"))->text(), QStringLiteral("Conversione!"));
        QCOMPARE(finestra.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->text(), QStringLiteral("Annulla"));
    }

    void aMissingArchiveKeepsTheDialog()
    {
        TestDirs dirs;
        FakePrompter prompter;
        TfrmConvert finestra(prompter, dirs.data() + QStringLiteral("/tqklog.txt"));
        finestra.show();
        prompter.expect(QStringLiteral("L'archivio chiamate non esiste!"));
        QTest::mouseClick(finestra.findChild<QPushButton*>(QStringLiteral("ConvBtn")), Qt::LeftButton);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].text, QStringLiteral("L'archivio chiamate non esiste!"));
        QCOMPARE(prompter.shown[0].title, QStringLiteral("Attenzione!"));
        QCOMPARE(prompter.shown[0].icon, Message::Icon::Critical);
        QVERIFY(finestra.isVisible());
        QVERIFY(!QFile::exists(dirs.data() + QStringLiteral("/tqklog_old.txt")));
    }

    void convertsAndCloses()
    {
        TestDirs dirs;
        FakePrompter prompter;
        const QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
        QFile file(archivio);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(vecchio);
        file.close();
        TfrmConvert finestra(prompter, archivio);
        finestra.show();
        prompter.expect(QStringLiteral("Conversione Terminata con successo!"));
        QTest::mouseClick(finestra.findChild<QPushButton*>(QStringLiteral("ConvBtn")), Qt::LeftButton);
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].text, QStringLiteral("Conversione Terminata con successo!"));
        QCOMPARE(prompter.shown[0].title, QStringLiteral("Informazione!"));
        QCOMPARE(prompter.shown[0].icon, Message::Icon::Warning);
        QVERIFY(!finestra.isVisible());
        QCOMPARE(leggi(dirs.data() + QStringLiteral("/tqklog_old.txt")), vecchio);
        QCOMPARE(leggi(archivio), QByteArray("06/12/1999 10.15.02 collegamento Aperto  011\r\n"
                                             "06/12/1999 10.45.00 collegamento Chiuso  011\r\n"));
    }
};

BRENVOLO_UI_TEST(TestTfrmConvert)
#include "TestTfrmConvert.moc"
