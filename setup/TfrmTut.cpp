#include "setup/TfrmTut.h"

#include <QPointer>
#include <QVBoxLayout>

TfrmTut::TfrmTut(const StatoProgramma& stato, QWidget* parent)
    : BandViewerWindow(BandViewer::Kind::Tut, stato, QStringLiteral("Tariffe TUT"),
                       QStringLiteral("Tariffe TUT in vigore"), parent)
{
    setObjectName(QStringLiteral("frmTut"));
    sideColumn()->insertStretch(0);
    sideColumn()->addStretch();
    fixSize(QSize(314, 199));
}

void TfrmTut::apri(QWidget* parent, Servizi&, StatoProgramma& stato)
{
    QPointer<TfrmTut> finestra = new TfrmTut(stato, parent);
    finestra->exec();
    delete finestra.data();
}
