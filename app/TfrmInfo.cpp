#include "app/TfrmInfo.h"

#include "app/CreditsBanner.h"
#include "widgets/Controls.h"
#include "widgets/Glyphs.h"
#include "widgets/ScreenCentre.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using Controls::makeLabel;

const QString nonDisponibile = QStringLiteral("non disponibile");

} // namespace

TfrmInfo::TfrmInfo(QWidget* parent)
    : TfrmInfo(SystemInfo::read(QStringLiteral("/")), parent)
{
}

TfrmInfo::TfrmInfo(const SystemInfo& sistema, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Informazioni su Brenvolo"));

    QHBoxLayout* top = buildTitles();
    QGroupBox* computer = buildComputer(sistema);
    Banner1 = new CreditsBanner(credits(), this);
    Banner1->setObjectName(QStringLiteral("Banner1"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(computer);
    layout->addWidget(Banner1);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

// The program's picture, name, version and purpose.
QHBoxLayout* TfrmInfo::buildTitles()
{
    auto* image = makeLabel(this, QStringLiteral("Image1"), QString());
    // The program's own picture: the idle frame of its tray icon.
    image->setPixmap(Glyphs::trayFrame(0).pixmap(48, 48));
    image->setAccessibleName(QStringLiteral("Brenvolo"));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QLabel* name = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Brenvolo"));
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    QLabel* version =
        makeLabel(this, QStringLiteral("Label2"), QStringLiteral("Versione %1").arg(QStringLiteral(BRENVOLO_VERSION)));
    QLabel* what = makeLabel(this, QStringLiteral("Label3"),
                             QStringLiteral("Contascatti telefonico per le connessioni a Internet"));

    auto* titles = new QVBoxLayout;
    titles->addWidget(name);
    titles->addWidget(version);
    titles->addWidget(what);
    titles->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addLayout(titles, 1);
    return top;
}

// "Questo computer": its memory and processor.
QGroupBox* TfrmInfo::buildComputer(const SystemInfo& sistema)
{
    auto* computer = new QGroupBox(QStringLiteral("Questo computer"), this);
    computer->setObjectName(QStringLiteral("GroupBox1"));
    QLabel* processore = makeLabel(computer, QStringLiteral("Label6"),
                                   sistema.processore.isEmpty() ? nonDisponibile : sistema.processore);
    processore->setWordWrap(true);
    processore->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Long processor names wrap instead of widening the box past the screen.
    processore->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    auto* form = new QFormLayout(computer);
    form->addRow(QStringLiteral("Memoria fisica:"),
                 makeLabel(computer, QStringLiteral("Label4"), memoryText(sistema.memoriaTotale)));
    form->addRow(QStringLiteral("Memoria disponibile:"),
                 makeLabel(computer, QStringLiteral("Label5"), memoryText(sistema.memoriaDisponibile)));
    form->addRow(QStringLiteral("Processore:"), processore);
    form->addRow(
        QStringLiteral("Unità di elaborazione:"),
        makeLabel(computer, QStringLiteral("Label7"),
                  sistema.unitaElaborazione > 0 ? QString::number(sistema.unitaElaborazione) : nonDisponibile));
    return computer;
}

void TfrmInfo::apri(QWidget* parent, Servizi&, StatoProgramma&)
{
    QPointer<TfrmInfo> info = new TfrmInfo(parent);
    info->exec();
    delete info.data();
}

void TfrmInfo::showEvent(QShowEvent* event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(*this);
    }
    QDialog::showEvent(event);
}

QStringList TfrmInfo::credits()
{
    return {QStringLiteral("Brenvolo %1").arg(QStringLiteral(BRENVOLO_VERSION)),
            QStringLiteral("contascatti telefonico"),
            QString(),
            QStringLiteral("Ideato e scritto dalla squadra di Brenvolo"),
            QStringLiteral("in C++20 con Qt %1").arg(QString::fromLatin1(qVersion())),
            QString(),
            QStringLiteral("Fogli di calcolo: libxlsxwriter"),
            QStringLiteral("Prove: GoogleTest e Qt Test"),
            QString(),
            QStringLiteral("Grazie a chi lo usa"),
            QStringLiteral("e a chi ne segnala i difetti!")};
}

QString TfrmInfo::memoryText(qint64 bytes)
{
    if (bytes < 0)
        return nonDisponibile;
    return QLocale(QLocale::Italian, QLocale::Italy).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}
