#include "tests/support/UiTestRegistry.h"
#include "tests/support/WhenModal.h"
#include "widgets/MessageBoxPrompter.h"

#include <QMessageBox>
#include <QTest>

class TestMessageBoxPrompter : public QObject
{
    Q_OBJECT
private slots:
    // A text read from a file, such as a band with markup in it, shows as the text it is.
    void showsMarkupAsPlainText()
    {
        QObject context;
        Qt::TextFormat format = Qt::AutoText;
        QString shown;
        whenModal<QMessageBox>(&context, [&](QMessageBox& box) {
            format = box.textFormat();
            shown = box.text();
            box.accept();
        });
        MessageBoxPrompter boxes;
        Prompter& prompter = boxes;
        prompter.message(QStringLiteral("<b>08.00.00</b>\rriga"), QStringLiteral("Attenzione!"),
                         Message::Icon::Warning);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, QStringLiteral("<b>08.00.00</b>\nriga"));
    }
};

BRENVOLO_UI_TEST(TestMessageBoxPrompter)
#include "TestMessageBoxPrompter.moc"
