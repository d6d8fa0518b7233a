#include "reports/TfrmEsporta.h"

#include "archive/ArchivioLetto.h"
#include "archive/Mesi.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "reports/DimensioneFissa.h"
#include "reports/Esportazione.h"
#include "reports/PieGauge.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

namespace {

QFont grassetto(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

TfrmEsporta::TfrmEsporta(Servizi& servizi, StatoProgramma& stato, QString archivioAlternativo, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_servizi(servizi)
    , m_stato(stato)
    , m_archivioAlternativo(std::move(archivioAlternativo))
    , Excel1(servizi.sheet, servizi.clock)
{
    setObjectName(QStringLiteral("frmEsporta"));
    setModal(true);
    buildMonth();
    buildButtons();
    layOut();
}

void TfrmEsporta::buildMonth()
{
    Panel1 = new QLabel(QStringLiteral("Mese da Esportare"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFont(grassetto(Panel1->font()));

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(nomiMesi());
    ComboBox1->setFont(grassetto(ComboBox1->font()));
    ComboBox1->setAccessibleName(QStringLiteral("Mese"));

    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(Esportazione::primoAnno, Esportazione::ultimoAnno);
    SpinEdit1->setAccessibleName(QStringLiteral("Anno"));
}

void TfrmEsporta::buildButtons()
{
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmEsporta::BitBtn1Click);

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Annulla"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    CheckBox1 = new QCheckBox(QStringLiteral("Esporta in Microsoft Excel\u00ae "), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setEnabled(false);
    CheckBox1->hide();

    Gauge2 = new PieGauge(this);
    Gauge2->setObjectName(QStringLiteral("Gauge2"));
    Gauge2->setAccessibleName(QStringLiteral("Avanzamento"));
    Gauge2->setRange(0, 100);
    Gauge2->setValue(0);
    QSizePolicy resta = Gauge2->sizePolicy();
    resta.setRetainSizeWhenHidden(true);
    Gauge2->setSizePolicy(resta);
    Gauge2->hide();
}

void TfrmEsporta::layOut()
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(4);
    layout->addWidget(Panel1, 0, 0);
    layout->addWidget(ComboBox1, 0, 1);
    layout->addWidget(SpinEdit1, 0, 2);
    layout->addWidget(Gauge2, 0, 3, 2, 1, Qt::AlignCenter);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn1);
    pulsanti->addWidget(BitBtn2);
    layout->addLayout(pulsanti, 1, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    fissaDimensione(*this, QSize(400, 68));
}

void TfrmEsporta::setSpreadsheetSwitch(bool on)
{
    CheckBox1->setChecked(on);
}

bool TfrmEsporta::spreadsheetSwitch() const
{
    return CheckBox1->isChecked();
}

QString TfrmEsporta::archivio() const
{
    return ArchivioLetto(m_servizi.dataDirectory, m_stato, m_archivioAlternativo).percorso();
}

void TfrmEsporta::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_mostrato)
        return;
    m_mostrato = true;
    FormShow();
}

void TfrmEsporta::FormShow()
{
    const QDate oggi = m_servizi.clock.now().date();
    SpinEdit1->setValue(oggi.year());
    ComboBox1->setCurrentIndex(Esportazione::mesePredefinito(oggi));
    setWindowTitle(CheckBox1->isChecked() ? QStringLiteral("Crezione foglio Excel\u00ae")
                                          : QStringLiteral("Crezione file di testo"));
}

void TfrmEsporta::BitBtn1Click()
{
    // The spreadsheet link lets events through while it waits: no second export meanwhile.
    BitBtn1->setEnabled(false);
    BitBtn2->setEnabled(false);
    const auto mostra = [this](const QList<Message>& messaggi) { m_servizi.prompter.show(messaggi); };
    const SettingsStore store(m_servizi.settings);
    const Esportazione esportazione(archivio(), m_servizi.dataDirectory, m_stato, store);

    const bool foglio = CheckBox1->isChecked();
    bool collegato = true;
    if (foglio) {
        const Esportazione::Collegamento c = esportazione.collega(Excel1);
        mostra(c.messaggi);
        if (c.spegniFoglio)
            CheckBox1->setChecked(false);
        collegato = c.collegato;
    }
    if (collegato) {
        Gauge2->setValue(0);
        Gauge2->show();
        const Esportazione::Esito esito = esportazione.esporta(ComboBox1->currentText(), SpinEdit1->value(),
                                                               foglio ? &Excel1 : nullptr, [this](int percento) {
                                                                   Gauge2->setValue(percento);
                                                                   Gauge2->repaint();
                                                               });
        Gauge2->setValue(0);
        Gauge2->hide();
        mostra(esito.messaggi);
        if (esito.outcome == ConsumiResult::Outcome::MissingClosure)
            emit chiusuraMancante(esito.passata);
    }
    Excel1.EndConversation();
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    accept();
}

void TfrmEsporta::closeEvent(QCloseEvent* event)
{
    Excel1.EndConversation();
    QDialog::closeEvent(event);
}
