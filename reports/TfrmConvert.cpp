#include "reports/TfrmConvert.h"

#include "platform/Prompter.h"
#include "reports/DimensioneFissa.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfrmConvert::TfrmConvert(Prompter& prompter, const QString& archivio, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
    , m_prompter(prompter)
    , m_conversione(archivio)
{
    setObjectName(QStringLiteral("frmConvert"));
    setWindowTitle(QStringLiteral("Conversione"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Questa utilità consente di convertire i vecchi archivi chiamate nel nuovo "
                                       "formato accettato da Brenvolo. Il vecchio archivio verrà rinominato come "
                                       "tqklog_old.txt. Naturalmente il vecchio tqklog.txt dovrà essere nella stessa "
                                       "directory del programma"),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    ConvBtn = new QPushButton(QStringLiteral("Conversione!"), this);
    ConvBtn->setObjectName(QStringLiteral("ConvBtn"));
    ConvBtn->setDefault(true);
    connect(ConvBtn, &QPushButton::clicked, this, &TfrmConvert::ConvBtnClick);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Annulla"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(ConvBtn);
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 1);
    layout->addLayout(pulsanti);
    fissaDimensione(*this, QSize(266, 139));
}

void TfrmConvert::ConvBtnClick()
{
    const ConversioneArchivio::Risultato risultato = m_conversione.esegui();
    switch (risultato.esito) {
    case ConversioneArchivio::Esito::Convertito:
        m_prompter.message(risultato.messaggio, QStringLiteral("Informazione!"), Message::Icon::Warning);
        accept();
        return;
    case ConversioneArchivio::Esito::ArchivioMancante:
    case ConversioneArchivio::Esito::NonRiuscita:
        m_prompter.message(risultato.messaggio, QStringLiteral("Attenzione!"), Message::Icon::Critical);
        return;
    }
}
