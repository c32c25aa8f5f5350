#pragma once

#include <QDialog>

// The About box: the icon, the name and version, and an "Ok" button that
// Enter and Esc also work.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};
