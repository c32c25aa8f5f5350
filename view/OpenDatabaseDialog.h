#pragma once

#include "lot/FactoryDatabase.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// File > Open Database...: the factory's database to read a lot from, the
// stations whose files belong to it (every station's where none is named)
// and the time range of the files' first rows. OK only once the URL and
// the times can be used.
class OpenDatabaseDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OpenDatabaseDialog(QWidget *parent = nullptr);

    void SetUrl(const QString &url);
    QString Url() const;
    // The stations and the time range given; false with a message where a
    // time cannot be read.
    bool QueryOf(FactoryDatabase::Query *query, QString *error) const;

    void accept() override;

private:
    QLineEdit *m_url;
    QLineEdit *m_stations;
    QLineEdit *m_since;
    QLineEdit *m_until;
    QLabel *m_message;
};
