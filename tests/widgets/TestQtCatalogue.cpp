#include "tests/support/UiTestRegistry.h"
#include "widgets/QtCatalogue.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <memory>

// Qt's own texts in Italian, under the C locale the tests run in as under any other.
class TestQtCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void standardButtonsAndFileDialogsAreItalian()
    {
        QCOMPARE(QLocale::system().language(), QLocale::C);
        const std::unique_ptr<QTranslator> catalogue(installQtCatalogue(*QCoreApplication::instance()));
        QVERIFY(catalogue);

        // The restart prompt and the deletion's confirmation.
        QMessageBox box(QMessageBox::Question, QStringLiteral("Attenzione!"), QStringLiteral("Riavviare?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Sì"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&No"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annulla"));

        QFileDialog dialog(nullptr, QStringLiteral("Apri altro file di conteggio"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const auto label = [&dialog](const char* name) {
            const auto* l = dialog.findChild<QLabel*>(QLatin1String(name));
            return l ? l->text() : QString();
        };
        QCOMPARE(label("lookInLabel"), QStringLiteral("Cerca in:"));
        QCOMPARE(label("fileTypeLabel"), QStringLiteral("File di tipo:"));
        QVERIFY2(label("fileNameLabel").contains(QStringLiteral("Nome")), qPrintable(label("fileNameLabel")));
        const auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("&Apri"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annulla"));
    }
};

BRENVOLO_UI_TEST(TestQtCatalogue)
#include "TestQtCatalogue.moc"
