#include "archive/CRuntimeClass.h"

#include <cstring>

namespace {

// A function-local head so that registration from any static initialiser
// finds the list ready, whatever the order of initialisation.
const CRuntimeClass *&firstClass()
{
    static const CRuntimeClass *first = nullptr;
    return first;
}

} // namespace

CRuntimeClass::CRuntimeClass(const char *className, quint16 schema, CObject *(*create)())
    : m_lpszClassName(className), m_wSchema(schema), m_pfnCreateObject(create),
      m_pNextClass(firstClass())
{
    firstClass() = this;
}

CObject *CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass *CRuntimeClass::FromName(QByteArrayView className)
{
    for (const CRuntimeClass *c = firstClass(); c; c = c->m_pNextClass) {
        if (className == QByteArrayView(c->m_lpszClassName, qsizetype(std::strlen(c->m_lpszClassName))))
            return c;
    }
    return nullptr;
}
