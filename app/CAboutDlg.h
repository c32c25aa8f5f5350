#pragma once

#include <QDialog>

class QLabel;

// The About box: the icon, the name and version, and an "Ok" button that
// Enter and Esc also work.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_icon;
};
