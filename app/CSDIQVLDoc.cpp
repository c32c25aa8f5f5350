#include "app/CSDIQVLDoc.h"

CSDIQVLDoc::CSDIQVLDoc(QObject *parent) : QObject(parent)
{
}

bool CSDIQVLDoc::OnNewDocument()
{
    m_strPathName.clear();
    m_bModified = false;
    return true;
}

void CSDIQVLDoc::Serialize(CArchive &)
{
}
