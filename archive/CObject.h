#pragma once

struct CRuntimeClass;
class CArchive;

// The root of the classes that an archive stores and loads by class name.
class CObject
{
public:
    virtual ~CObject();

    virtual const CRuntimeClass *GetRuntimeClass() const = 0;
    virtual void Serialize(CArchive &ar);

    bool IsKindOf(const CRuntimeClass *runtimeClass) const;
};
