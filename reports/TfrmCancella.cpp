#include "reports/TfrmCancella.h"

#include "platform/Prompter.h"
#include "reports/DimensioneFissa.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QString eseguiDialogo(QFileDialog& dialogo)
{
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
}

} // namespace

TfrmCancella::TfrmCancella(Prompter& prompter, const QString& archivio, SceltaCopia scelta, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_cancellazione(archivio)
    , m_scelta(scelta ? std::move(scelta) : SceltaCopia(eseguiDialogo))
{
    setObjectName(QStringLiteral("frmCancella"));
    setWindowTitle(QStringLiteral("Cancellazione archivio chiamate"));
    setModal(true);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1 = new QLabel(QStringLiteral("Prima di cancellare l'archivio chiamate è necessario crearne una copia, "
                                       "scegliendo  il pulsante Salva è possibile assegnare un nome e un percorso a "
                                       "tale copia."),
                        bevel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    auto* dentro = new QVBoxLayout(bevel);
    dentro->setContentsMargins(6, 4, 6, 4);
    dentro->addWidget(Label1);

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Salva"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmCancella::BitBtn2Click);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Annulla"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    // The copy is proposed beside the archive, in the data directory, where the
    // month exports are too; the user may take it anywhere else.
    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilters({QStringLiteral("file di testo (*.txt)"), QStringLiteral("tutti i file (*)")});
    SaveDialog1->setDefaultSuffix(QStringLiteral("txt"));
    SaveDialog1->setDirectory(QFileInfo(archivio).absolutePath());
    SaveDialog1->selectFile(CancellazioneArchivio::nomeProposto());

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn2);
    pulsanti->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bevel, 1);
    layout->addLayout(pulsanti);
    // 371 x 111 outside, under a usual frame.
    fissaDimensione(*this, QSize(363, 84));
}

void TfrmCancella::BitBtn2Click()
{
    const QString destinazione = m_scelta(*SaveDialog1);
    if (destinazione.isEmpty()) {
        m_prompter.message(QStringLiteral("Impossibile cancellare se non si crea una copia !"),
                           QStringLiteral("Attenzione !"), Message::Icon::Warning);
        return;
    }
    QString errore;
    if (!m_cancellazione.copia(destinazione, &errore)) {
        // No copy, no deletion: the user may choose another place.
        m_prompter.message(errore, QStringLiteral("Attenzione!"), Message::Icon::Critical);
        return;
    }
    const Prompter::Button risposta = m_prompter.message(QStringLiteral("Copia Creata, Eliminazione archivio chiamate"),
                                                         QStringLiteral("Attenzione!"), Message::Icon::Warning,
                                                         Prompter::Button::Ok | Prompter::Button::Cancel);
    if (risposta == Prompter::Button::Ok && !m_cancellazione.elimina(&errore))
        m_prompter.message(errore, QStringLiteral("Attenzione!"), Message::Icon::Critical);
    accept();
}
