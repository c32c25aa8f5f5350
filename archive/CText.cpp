#include "archive/CText.h"

#include "archive/CArchive.h"

const CRuntimeClass CText::classCText("CText", 1, &CText::CreateObject);

CObject *CText::CreateObject()
{
    return new CText;
}

const CRuntimeClass *CText::GetRuntimeClass() const
{
    return &classCText;
}

void CText::Serialize(CArchive &ar)
{
    if (ar.IsStoring())
        ar << m_strText << m_nValue1 << m_nValue2;
    else
        ar >> m_strText >> m_nValue1 >> m_nValue2;
}
