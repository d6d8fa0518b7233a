#include "reports/TfrmCorreggi.h"

#include "archive/CalcolaConsumi.h"
#include "archive/SessionMarker.h"
#include "platform/Prompter.h"
#include "reports/DimensioneFissa.h"
#include "session/CountingSession.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int rigaOrario = 5;

const char* const istruzioni[] = {
    "ATTENZIONE!",
    "LA PRIMA RIGA VISUALIZZA L'INIZIO DELL'ULTIMO COLLEGAMENTO",
    "EFFETTUATO A CUI NON CORRISPONDE REGOLARE CHIUSURA.",
    "",
    "LA SECONDA RIGA PROPONE LA CORREZIONE",
    "(CON LO STESSO ORARIO DELLA PRECEDENTE).",
    "",
    "MODIFICARE L'ORARIO DI CHIUSURA COME DESIDERATO E",
    "PREMERE IL PULSANTE CORREGGI.",
    "",
    "IL PROGRAMMA VERRA' CHIUSO E DOVRA' ESSERE RILANCIATO.",
};

QString testoIstruzioni(bool ultimoMomento = false)
{
    QStringList righe;
    for (const char* riga : istruzioni)
        righe.append(QString::fromLatin1(riga));
    if (ultimoMomento)
        righe[rigaOrario] = QStringLiteral("(ALL'ULTIMO ORARIO IN CUI IL CONTEGGIO ERA ATTIVO).");
    return righe.join(QLatin1Char('\n'));
}

} // namespace

TfrmCorreggi::TfrmCorreggi(Prompter& prompter, const QString& archivio, const QString& apertura, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_prompter(prompter)
    , m_correzione(archivio, apertura)
{
    setObjectName(QStringLiteral("frmCorreggi"));
    setWindowTitle(QStringLiteral("Aggiunta Chiusura Mancante"));
    setModal(true);

    // The records' columns line up one under the other in a fixed-pitch font.
    const QFont colonne = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Edit1 = new QLineEdit(m_correzione.apertura(), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFont(colonne);
    Edit1->setAccessibleName(QStringLiteral("Collegamento senza chiusura"));
    Edit2 = new QLineEdit(m_correzione.chiusuraProposta(), this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setFont(colonne);
    Edit2->setAccessibleName(QStringLiteral("Chiusura proposta"));

    Label1 = new QLabel(testoIstruzioni(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);

    Button1 = new QPushButton(QStringLiteral("Correggi !"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TfrmCorreggi::Button1Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Edit1, 0, 0, 1, 2);
    layout->addWidget(Edit2, 1, 0, 1, 2);
    layout->addWidget(Label1, 2, 0);
    layout->addWidget(Button1, 2, 1, Qt::AlignBottom);
    layout->setColumnStretch(0, 1);
    fissaDimensione(*this, QSize(549, 230));
    Edit2->setFocus();
}

bool TfrmCorreggi::correggi(Prompter& prompter, const QString& archivio, const QString& apertura, QWidget* parent)
{
    TfrmCorreggi finestra(prompter, archivio, apertura, parent);
    return finestra.exec() == QDialog::Accepted;
}

bool TfrmCorreggi::ripara(Prompter& prompter, CountingSession& session, const ConsumiResult& passata, QWidget* parent)
{
    if (passata.outcome != ConsumiResult::Outcome::MissingClosure)
        return false;
    if (!correggi(prompter, passata.archivio, passata.aperturaSenzaChiusura.riga, parent))
        return false;
    // Queued: the windows that asked for the pass close first, and at
    // start-up the program ends only once its event loop runs.
    QMetaObject::invokeMethod(&session, &CountingSession::finish, Qt::QueuedConnection);
    return true;
}

bool TfrmCorreggi::riparaAllAvvio(Prompter& prompter, CountingSession& session, const QString& archivio,
                                  const QString& dataDirectory, QWidget* parent)
{
    const SessionMarker marker(dataDirectory);
    const std::optional<RecordArchivio> apertura = sessioneInterrotta(archivio);
    if (!apertura) {
        marker.rimuovi();
        return false;
    }
    const QString proposta = SessionMarker::chiusuraProposta(*apertura, marker.leggi());
    TfrmCorreggi finestra(prompter, archivio, apertura->riga, parent);
    if (proposta != apertura->chiusuraProposta())
        finestra.proponiUltimoMomento(proposta);
    if (finestra.exec() != QDialog::Accepted)
        return false;
    marker.rimuovi();
    QMetaObject::invokeMethod(&session, &CountingSession::finish, Qt::QueuedConnection);
    return true;
}

void TfrmCorreggi::proponiUltimoMomento(const QString& chiusura)
{
    Edit2->setText(chiusura);
    Label1->setText(testoIstruzioni(true));
}

void TfrmCorreggi::Button1Click()
{
    const CorrezioneChiusura::Risultato risultato = m_correzione.correggi(Edit2->text());
    switch (risultato.esito) {
    case CorrezioneChiusura::Esito::Corretta:
        m_correzionePendente = false;
        emit correzioneEffettuata();
        accept();
        return;
    case CorrezioneChiusura::Esito::Rifiutata:
        m_prompter.message(risultato.messaggio, QStringLiteral("Attenzione!"), Message::Icon::Critical);
        Edit2->setFocus();
        return;
    case CorrezioneChiusura::Esito::NonRiuscita:
        m_scritturaFallita = true;
        m_prompter.message(risultato.messaggio, QStringLiteral("Attenzione!"), Message::Icon::Critical);
        return;
    }
}

bool TfrmCorreggi::FormCloseQuery()
{
    if (!m_correzionePendente || m_scritturaFallita)
        return true;
    m_prompter.message(QStringLiteral("Impossibile uscire senza effettuare la correzione!!"), QString(),
                       Message::Icon::Critical);
    return false;
}

void TfrmCorreggi::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

void TfrmCorreggi::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
