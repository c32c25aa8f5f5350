#pragma once

#include "archive/CObject.h"
#include "archive/CRuntimeClass.h"

#include <QByteArray>
#include <QtGlobal>

// A small record of a text and two values that archives store and create by
// its class name "CText" (schema 1).
class CText : public CObject
{
public:
    static const CRuntimeClass classCText;
    static CObject *CreateObject();

    const CRuntimeClass *GetRuntimeClass() const override;
    void Serialize(CArchive &ar) override;

    QByteArray m_strText; // code-page-936 bytes, stored as they are
    qint32 m_nValue1 = 0;
    qint32 m_nValue2 = 0;
};
