#include "settings/StatoProgramma.h"
#include "setup/TfrmTut.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class TestTfrmTut : public QObject
{
    Q_OBJECT
private slots:
    void opensOnTheWeekdayBandsWithTheTutInterval()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTut finestra(stato);
        finestra.show();
        QCOMPARE(finestra.windowTitle(), QStringLiteral("Tariffe TUT"));
        const QPoint middle = finestra.screen()->availableGeometry().center();
        QVERIFY((finestra.geometry().center() - middle).manhattanLength() <= 4);
        QCOMPARE(finestra.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(),
                 QStringLiteral("Tariffe TUT in vigore"));
        auto* pages = finestra.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->tabText(0), QStringLiteral("FERIALI"));
        QCOMPARE(pages->tabText(1), QStringLiteral("SABATO"));
        QCOMPARE(pages->tabText(2), QStringLiteral("FESTIVI"));

        auto* feriali = finestra.findChild<QListWidget*>(QStringLiteral("ListBox1"));
        QCOMPARE(texts(feriali), QStringList({QStringLiteral("08.00.00-18.30.00"), QStringLiteral("18.30.01-23.59.59"),
                                              QStringLiteral("00.00.00-07.59.59")}));
        QCOMPARE(feriali->currentRow(), 0);
        QCOMPARE(finestra.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), QStringLiteral("2200"));
        QVERIFY(finestra.findChild<QLineEdit*>(QStringLiteral("Edit1"))->isReadOnly());
        QCOMPARE(finestra.findChild<QGroupBox*>(QStringLiteral("GroupBox2"))->title(), QStringLiteral("Durata scatto"));
    }

    void festiviSelectsItsFirstBand()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTut finestra(stato);
        finestra.show();
        finestra.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
        auto* festivi = finestra.findChild<QListWidget*>(QStringLiteral("ListBox3"));
        QCOMPARE(festivi->currentItem()->text(), QStringLiteral("08.00.00-23.59.59"));
        QCOMPARE(finestra.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), QStringLiteral("4000"));
    }

    void aClickedBandShowsItsInterval()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTut finestra(stato);
        finestra.show();
        auto* feriali = finestra.findChild<QListWidget*>(QStringLiteral("ListBox1"));
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        QTest::mouseClick(feriali->viewport(), Qt::LeftButton, {}, feriali->visualItemRect(feriali->item(1)).center());
        QCOMPARE(feriali->currentRow(), 1);
        QCOMPARE(finestra.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), QStringLiteral("4000"));
    }

    // Nothing is cut off at the desktop's font: every band, tab and the
    // interval fit their controls, and the window keeps at least its designed size.
    void nothingIsClipped()
    {
        const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        TfrmTut finestra(stato);
        finestra.show();
        QVERIFY(finestra.width() >= 314 && finestra.height() >= 199);
        QCOMPARE(finestra.minimumSize(), finestra.maximumSize());
        auto* pages = finestra.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        const QTabBar* tabs = pages->tabBar();
        QVERIFY(tabs->tabRect(2).right() <= tabs->width());
        for (const char* name : {"ListBox1", "ListBox2", "ListBox3"}) {
            auto* list = finestra.findChild<QListWidget*>(QString::fromLatin1(name));
            for (int row = 0; row < list->count(); ++row) {
                const int needed = list->fontMetrics().horizontalAdvance(list->item(row)->text());
                QVERIFY2(needed <= list->viewport()->width(), name);
            }
        }
        auto* edit = finestra.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QVERIFY(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) < edit->width());
    }

    void theOpenerShowsItModallyAndDestroysIt()
    {
        Program p;
        p.stato = StatoProgramma::fromFactoryDefaults();
        QWidget parent;
        QPointer<TfrmTut> shown;
        bool modal = false;
        QTimer::singleShot(0, &parent, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            shown = qobject_cast<TfrmTut*>(dialog);
            modal = shown && shown->isModal();
            if (dialog)
                dialog->close();
        });
        TfrmTut::apri(&parent, p.servizi, p.stato);
        QVERIFY(modal);
        QVERIFY(shown.isNull());
        QVERIFY(parent.findChildren<TfrmTut*>().isEmpty());
    }

private:
    static QStringList texts(const QListWidget* list)
    {
        QStringList result;
        for (int row = 0; row < list->count(); ++row)
            result.append(list->item(row)->text());
        return result;
    }
};

BRENVOLO_UI_TEST(TestTfrmTut)
#include "TestTfrmTut.moc"
