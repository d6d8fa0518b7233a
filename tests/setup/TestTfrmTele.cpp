#include "settings/StatoProgramma.h"
#include "setup/TfrmTele.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class TestTfrmTele : public QObject
{
    Q_OBJECT
private slots:
    void opensAtTheWeekdayIntervalUpTo15Km()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTele finestra(stato);
        auto* distanza = finestra.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        QCOMPARE(distanza->currentIndex(), -1);
        QCOMPARE(edit(finestra), QStringLiteral("0750"));

        finestra.show();
        QCOMPARE(finestra.windowTitle(), QStringLiteral("Tariffe Teleselezione"));
        QCOMPARE(finestra.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(),
                 QStringLiteral("Tariffe Teleselezione in vigore"));
        QCOMPARE(finestra.findChild<QGroupBox*>(QStringLiteral("GroupBox3"))->title(), QStringLiteral("Distanza"));
        QCOMPARE(distanza->count(), 3);
        QCOMPARE(distanza->itemText(0), QStringLiteral("fino a 15 Km"));
        QCOMPARE(distanza->itemText(1), QStringLiteral("15 - 30 Km"));
        QCOMPARE(distanza->itemText(2), QStringLiteral("oltre 30 Km"));
        QCOMPARE(distanza->currentIndex(), 0);
        QCOMPARE(edit(finestra), QStringLiteral("0750"));
        QCOMPARE(finestra.findChild<QListWidget*>(QStringLiteral("ListBox1"))->currentRow(), 0);
        QVERIFY(finestra.width() >= 340 && finestra.height() >= 208);
    }

    void distanceThenSecondBand()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTele finestra(stato);
        finestra.show();
        finestra.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(2);
        QCOMPARE(edit(finestra), QStringLiteral("0267"));
        finestra.findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(1);
        QCOMPARE(edit(finestra), QStringLiteral("0500"));
    }

    // Switching pages changes nothing; the new page has no band selected,
    // so a distance change there leaves the interval as it was.
    void pagesKeepTheInterval()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTele finestra(stato);
        finestra.show();
        auto* distanza = finestra.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        distanza->setCurrentIndex(2);
        finestra.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
        auto* sabato = finestra.findChild<QListWidget*>(QStringLiteral("ListBox2"));
        QCOMPARE(sabato->currentRow(), -1);
        QCOMPARE(edit(finestra), QStringLiteral("0267"));
        distanza->setCurrentIndex(1);
        QCOMPARE(edit(finestra), QStringLiteral("0267"));
        sabato->setCurrentRow(2);
        QCOMPARE(edit(finestra), QStringLiteral("0800"));
    }

    // The keyboard in a list goes along to the new page's list: that takes
    // the focus without selecting a band, so the interval stays.
    void aPageSwitchWithTheFocusInAListChangesNothing()
    {
        for (int da = 0; da < 3; ++da) {
            for (int a = 0; a < 3; ++a) {
                if (a == da)
                    continue;
                const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
                TfrmTele finestra(stato);
                finestra.show();
                finestra.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&finestra));
                auto* pagine = finestra.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
                pagine->setCurrentIndex(da);
                QListWidget* lista = list(finestra, da);
                lista->setFocus();
                lista->setCurrentRow(1);
                const QString mostrato = edit(finestra);
                const int selezionata = list(finestra, a)->currentRow();
                pagine->setCurrentIndex(a);
                QVERIFY2(list(finestra, a)->hasFocus(), qPrintable(QStringLiteral("%1 -> %2").arg(da).arg(a)));
                QCOMPARE(edit(finestra), mostrato);
                QCOMPARE(list(finestra, a)->currentRow(), selezionata);
                // The keys still choose a band there.
                QTest::keyClick(list(finestra, a), Qt::Key_Down);
                QCOMPARE(list(finestra, a)->currentRow(), selezionata + 1);
            }
        }
    }

    void aTypedDistanceLeavesTheInterval()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTele finestra(stato);
        finestra.show();
        auto* distanza = finestra.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        distanza->setEditText(QStringLiteral("100 Km"));
        finestra.findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(1);
        QCOMPARE(edit(finestra), QStringLiteral("0750"));
        distanza->setEditText(QStringLiteral("oltre 30 Km"));
        QCOMPARE(edit(finestra), QStringLiteral("0500"));
    }

    void theOpenerShowsItModallyAndDestroysIt()
    {
        Program p;
        p.stato = StatoProgramma::fromFactoryDefaults();
        QWidget parent;
        QPointer<TfrmTele> shown;
        bool modal = false;
        QTimer::singleShot(0, &parent, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            shown = qobject_cast<TfrmTele*>(dialog);
            modal = shown && shown->isModal();
            if (dialog)
                dialog->close();
        });
        TfrmTele::apri(&parent, p.servizi, p.stato);
        QVERIFY(modal);
        QVERIFY(shown.isNull());
        QVERIFY(parent.findChildren<TfrmTele*>().isEmpty());
    }

private:
    static QListWidget* list(const TfrmTele& finestra, int pagina)
    {
        return finestra.findChild<QListWidget*>(QStringLiteral("ListBox%1").arg(pagina + 1));
    }
    static QString edit(const TfrmTele& finestra)
    {
        return finestra.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
    }
};

BRENVOLO_UI_TEST(TestTfrmTele)
#include "TestTfrmTele.moc"
