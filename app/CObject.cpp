#include "app/CObject.h"

#include "app/CRuntimeClass.h"

CObject::~CObject() = default;

void CObject::Serialize(CArchive &)
{
}

bool CObject::IsKindOf(const CRuntimeClass *runtimeClass) const
{
    return GetRuntimeClass() == runtimeClass;
}
