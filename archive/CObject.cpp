#include "archive/CObject.h"

#include "archive/CRuntimeClass.h"

CObject::~CObject() = default;

void CObject::Serialize(CArchive &)
{
}

bool CObject::IsKindOf(const CRuntimeClass *runtimeClass) const
{
    return GetRuntimeClass() == runtimeClass;
}
