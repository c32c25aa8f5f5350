#pragma once

#include <QObject>

class CArchive;

// The document of the one document template. It holds no data: files are
// read by the view, rows live in the store. It is never modified, so the
// program never asks to save it.
class CSDIQVLDoc : public QObject
{
    Q_OBJECT
public:
    explicit CSDIQVLDoc(QObject *parent = nullptr);

    // The new-document step; empties the path name and the modified flag.
    bool OnNewDocument();
    void Serialize(CArchive &ar); // reads and writes nothing

    bool IsModified() const { return m_bModified; }
    QString GetPathName() const { return m_strPathName; }

private:
    QString m_strPathName;
    bool m_bModified = false;
};
