#pragma once
// CNewMultiDocTemplate: the multiple-document template of the window bases;
// it adds nothing to the framework's.

#include "framework/MultiDocTemplate.h"

class CNewMultiDocTemplate : public CMultiDocTemplate {
    DECLARE_DYNAMIC(CNewMultiDocTemplate)

public:
    CNewMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                         const CRuntimeClass* viewClass);
};
