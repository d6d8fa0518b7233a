#include "reports/TfrmCancella.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TestDirs.h"
#include "tests/support/UiTestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray contenuto = "06/12/1999 10.15.02 collegamento Aperto  021 Casa\r\n"
                             "06/12/1999 10.45.00 collegamento Chiuso  021\r\n";

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

struct Ambiente
{
    TestDirs dirs;
    FakePrompter prompter;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    QString copia = dirs.path() + QStringLiteral("/copia.txt");
    QString scelta; // what the save dialog answers
    int dialoghi = 0;
    TfrmCancella finestra{prompter, archivio, [this](QFileDialog&) {
                              ++dialoghi;
                              return scelta;
                          }};

    Ambiente()
    {
        QFile file(archivio);
        if (file.open(QIODevice::WriteOnly))
            file.write(contenuto);
        finestra.show();
    }

    void salva() { QTest::mouseClick(finestra.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton); }
};

} // namespace

class TestTfrmCancella : public QObject
{
    Q_OBJECT
private slots:
    void asksForACopyThroughTheSaveDialog()
    {
        TestDirs dirs;
        FakePrompter prompter;
        QStringList visto;
        TfrmCancella finestra(prompter, dirs.data() + QStringLiteral("/tqklog.txt"), [&](QFileDialog& dialogo) {
            visto = {dialogo.objectName(),
                     dialogo.defaultSuffix(),
                     dialogo.nameFilters().join(QLatin1Char('|')),
                     QFileInfo(dialogo.selectedFiles().value(0)).fileName(),
                     dialogo.directory().absolutePath(),
                     dialogo.acceptMode() == QFileDialog::AcceptSave ? QStringLiteral("save") : QString()};
            return QString();
        });
        QCOMPARE(finestra.windowTitle(), QStringLiteral("Cancellazione archivio chiamate"));
        QVERIFY(finestra.width() >= 363 && finestra.height() >= 84);
        QCOMPARE(finestra.minimumSize(), finestra.maximumSize());
        auto* label = finestra.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label->wordWrap());
        QVERIFY(label->text().contains(QStringLiteral("copia, scegliendo  il pulsante Salva")));
        QCOMPARE(finestra.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->text(), QStringLiteral("Salva"));
        QCOMPARE(finestra.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->text(), QStringLiteral("Annulla"));
        prompter.expect(QStringLiteral("Impossibile cancellare se non si crea una copia !"));
        finestra.BitBtn2Click();
        QCOMPARE(visto,
                 (QStringList{QStringLiteral("SaveDialog1"), QStringLiteral("txt"),
                              QStringLiteral("file di testo (*.txt)|tutti i file (*)"), QStringLiteral("mese_anno.txt"),
                              QDir(dirs.data()).absolutePath(), QStringLiteral("save")}));
    }

    void refusedWithoutACopy()
    {
        Ambiente a;
        a.prompter.expect(QStringLiteral("Impossibile cancellare se non si crea una copia !"));
        a.salva();
        QCOMPARE(a.dialoghi, 1);
        QCOMPARE(a.prompter.shown.size(), 1);
        QCOMPARE(a.prompter.shown[0].text, QStringLiteral("Impossibile cancellare se non si crea una copia !"));
        QCOMPARE(a.prompter.shown[0].title, QStringLiteral("Attenzione !"));
        QCOMPARE(a.prompter.shown[0].icon, Message::Icon::Warning);
        QVERIFY(a.finestra.isVisible());
        QCOMPARE(leggi(a.archivio), contenuto);
    }

    void refusedWhenTheCopyFails()
    {
        Ambiente a;
        a.scelta = a.dirs.path() + QStringLiteral("/manca/copia.txt");
        a.prompter.expectContaining(QStringLiteral("Impossibile copiare "));
        a.salva();
        QCOMPARE(a.prompter.shown.size(), 1);
        QVERIFY(a.prompter.shown[0].text.startsWith(QStringLiteral("Impossibile copiare ")));
        QVERIFY(a.prompter.shown[0].text.endsWith(QStringLiteral("L'archivio chiamate non è stato eliminato.")));
        QCOMPARE(a.prompter.shown[0].icon, Message::Icon::Critical);
        QVERIFY(a.finestra.isVisible());
        QCOMPARE(leggi(a.archivio), contenuto);
        QVERIFY(!QFile::exists(a.scelta));
    }

    void keepsBothWhenTheDeletionIsDeclined()
    {
        Ambiente a;
        a.scelta = a.copia;
        a.prompter.expect(QStringLiteral("Copia Creata, Eliminazione archivio chiamate"), Prompter::Button::Cancel);
        a.salva();
        QCOMPARE(a.prompter.shown.size(), 1);
        QCOMPARE(a.prompter.shown[0].text, QStringLiteral("Copia Creata, Eliminazione archivio chiamate"));
        QCOMPARE(a.prompter.shown[0].title, QStringLiteral("Attenzione!"));
        QCOMPARE(a.prompter.shown[0].buttons, Prompter::Button::Ok | Prompter::Button::Cancel);
        QVERIFY(!a.finestra.isVisible());
        QCOMPARE(leggi(a.archivio), contenuto);
        QCOMPARE(leggi(a.copia), contenuto);
    }

    void deletesAfterTheCopy()
    {
        Ambiente a;
        a.scelta = a.copia;
        a.prompter.expect(QStringLiteral("Copia Creata, Eliminazione archivio chiamate"), Prompter::Button::Ok);
        a.salva();
        QCOMPARE(a.prompter.shown.size(), 1);
        QVERIFY(!a.finestra.isVisible());
        QVERIFY(!QFile::exists(a.archivio));
        QCOMPARE(leggi(a.copia), contenuto);
    }
};

BRENVOLO_UI_TEST(TestTfrmCancella)
#include "TestTfrmCancella.moc"
