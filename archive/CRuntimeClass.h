#pragma once

#include <QByteArrayView>
#include <QtGlobal>

class CObject;

// The run-time description of a class that an archive can write by name and
// create again on loading. Each serialisable class owns one static instance;
// constructing it puts the class on the list that loading searches.
struct CRuntimeClass
{
    static constexpr quint16 NoSchema = 0xFFFF; // cannot be stored

    CRuntimeClass(const char *className, quint16 schema, CObject *(*create)());

    const char *m_lpszClassName;
    quint16 m_wSchema;
    CObject *(*m_pfnCreateObject)();

    // A new object of the class (the caller owns it), or null when the class
    // cannot be created by name.
    CObject *CreateObject() const;

    // The registered class of that name, or null.
    static const CRuntimeClass *FromName(QByteArrayView className);

private:
    const CRuntimeClass *m_pNextClass;
};
