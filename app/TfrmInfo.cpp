#include "app/TfrmInfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TfrmInfo::TfrmInfo(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Informazioni su Brenvolo"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<h2>Brenvolo</h2>"), this);
    name->setObjectName(QStringLiteral("Label1"));
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Versione %1").arg(QStringLiteral(BRENVOLO_VERSION)), this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setAlignment(Qt::AlignCenter);
    auto* what = new QLabel(QStringLiteral("Contascatti telefonico per le connessioni a Internet"), this);
    what->setAlignment(Qt::AlignCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(what);
    layout->addWidget(buttons);
}
