#pragma once

#include "reports/ConversioneArchivio.h"

#include <QDialog>

class Prompter;
class QLabel;
class QPushButton;

// "Conversione": converts an archive of the older record format into the
// current one, keeping the previous file as tqklog_old.txt.
class TfrmConvert : public QDialog
{
    Q_OBJECT
public:
    // `archivio`: tqklog.txt in the program's directory.
    TfrmConvert(Prompter& prompter, const QString& archivio, QWidget* parent = nullptr);

public slots:
    void ConvBtnClick();

private:
    Prompter& m_prompter;
    ConversioneArchivio m_conversione;
    QLabel* Label1 = nullptr;
    QPushButton* ConvBtn = nullptr;
    QPushButton* BitBtn1 = nullptr;
};
