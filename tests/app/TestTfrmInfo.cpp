#include "app/CreditsBanner.h"
#include "app/TfrmInfo.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/UiTestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// A computer that exists only in a temporary folder's proc/.
SystemInfo fakeComputer(const QTemporaryDir& root)
{
    QDir(root.path()).mkpath(QStringLiteral("proc"));
    QFile mem(root.filePath(QStringLiteral("proc/meminfo")));
    mem.open(QIODevice::WriteOnly);
    mem.write("MemTotal:       16384000 kB\nMemFree:  1000 kB\nMemAvailable:    8192000 kB\n");
    mem.close();
    QFile cpu(root.filePath(QStringLiteral("proc/cpuinfo")));
    cpu.open(QIODevice::WriteOnly);
    cpu.write("processor\t: 0\nmodel name\t: Pentium II (Deschutes)\n\nprocessor\t: 1\n"
              "model name\t: Pentium II (Deschutes)\n");
    cpu.close();
    return SystemInfo::read(root.path());
}

QString label(const QWidget& box, const char* name)
{
    return box.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

} // namespace

class TestTfrmInfo : public QObject
{
    Q_OBJECT
private slots:
    void showsTheProgramAndTheComputer()
    {
        QTemporaryDir root;
        TfrmInfo info(fakeComputer(root));
        QCOMPARE(info.windowTitle(), QStringLiteral("Informazioni su Brenvolo"));
        QCOMPARE(label(info, "Label1"), QStringLiteral("Brenvolo"));
        QCOMPARE(label(info, "Label2"), QStringLiteral("Versione %1").arg(QStringLiteral(BRENVOLO_VERSION)));
        QVERIFY(!info.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(label(info, "Label4"), QStringLiteral("15,6 GB"));
        QCOMPARE(label(info, "Label5"), QStringLiteral("7,8 GB"));
        QCOMPARE(label(info, "Label6"), QStringLiteral("Pentium II (Deschutes)"));
        QCOMPARE(label(info, "Label7"), QStringLiteral("2"));
    }

    void whatTheSystemDoesNotSayIsNotAvailable()
    {
        TfrmInfo info(SystemInfo{});
        QCOMPARE(label(info, "Label4"), QStringLiteral("non disponibile"));
        QCOMPARE(label(info, "Label5"), QStringLiteral("non disponibile"));
        QCOMPARE(label(info, "Label6"), QStringLiteral("non disponibile"));
        QCOMPARE(label(info, "Label7"), QStringLiteral("non disponibile"));
    }

    void theCreditsRollOnlyWhileTheBoxIsOpen()
    {
        QTemporaryDir root;
        TfrmInfo info(fakeComputer(root));
        CreditsBanner* banner = info.banner();
        QVERIFY(!banner->timer()->isActive());
        info.show();
        const QPoint middle = info.screen()->availableGeometry().center();
        QVERIFY((info.geometry().center() - middle).manhattanLength() <= 4);
        QVERIFY(banner->timer()->isActive());
        QCOMPARE(banner->timer()->interval(), CreditsBanner::stepInterval);
        const int before = banner->offset();
        banner->scroll();
        banner->scroll();
        QCOMPARE(banner->offset(), before + 2);
        QVERIFY(banner->accessibleDescription().contains(QStringLiteral("Brenvolo")));

        info.accept();
        QVERIFY(!banner->timer()->isActive());
    }

    void theRollStartsAgainFromBelowOnceTheTextHasPassed()
    {
        CreditsBanner banner({QStringLiteral("una"), QStringLiteral("due")});
        banner.resize(200, 60);
        banner.show();
        int steps = 0;
        do {
            banner.scroll();
            ++steps;
        } while (banner.offset() != 0 && steps < 1000);
        QCOMPARE(banner.offset(), 0);
        QVERIFY(steps > banner.contentsRect().height());
        banner.close();
        QVERIFY(!banner.timer()->isActive());
    }

    void theOpenerShowsItModallyAndDestroysIt()
    {
        Program p;
        QWidget parent;
        QPointer<TfrmInfo> shown;
        bool rolling = false;
        QTimer::singleShot(0, &parent, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            shown = qobject_cast<TfrmInfo*>(dialog);
            rolling = shown && shown->isModal() && shown->banner()->timer()->isActive();
            if (dialog)
                dialog->close();
        });
        TfrmInfo::apri(&parent, p.servizi, p.stato);
        QVERIFY(rolling);
        QVERIFY(shown.isNull());
        QVERIFY(p.prompter.shown.isEmpty());
    }
};

BRENVOLO_UI_TEST(TestTfrmInfo)
#include "TestTfrmInfo.moc"
