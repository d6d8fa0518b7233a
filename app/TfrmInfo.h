#pragma once

#include "platform/SystemInfo.h"

#include <QDialog>

class CreditsBanner;
class QGroupBox;
class QHBoxLayout;
struct Servizi;
struct StatoProgramma;

// The about box: the program's icon, name and version (Image1, Label1,
// Label2), what it is (Label3), this computer's memory and processor
// (Label4 physical memory, Label5 available memory, Label6 processor, Label7
// logical processors) and the credits rolling in Banner1 while the box is
// open.
class TfrmInfo : public QDialog
{
    Q_OBJECT
public:
    // Shows the computer the program runs on.
    explicit TfrmInfo(QWidget* parent = nullptr);
    TfrmInfo(const SystemInfo& sistema, QWidget* parent = nullptr);

    // "&Informazioni su...": creates the box, shows it modally and destroys it.
    static void apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato);

    CreditsBanner* banner() const { return Banner1; }

    // The lines of the credits.
    static QStringList credits();
    // A size in bytes as the box shows it ("15,6 GB"), or "non disponibile".
    static QString memoryText(qint64 bytes);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QHBoxLayout* buildTitles();
    QGroupBox* buildComputer(const SystemInfo& sistema);
    CreditsBanner* Banner1 = nullptr;
    bool m_centred = false;
};
