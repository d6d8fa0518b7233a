#pragma once

#include <QDialog>

// The about box: the program's name and version.
class TfrmInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent = nullptr);
};
