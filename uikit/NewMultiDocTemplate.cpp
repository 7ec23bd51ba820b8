#include "uikit/NewMultiDocTemplate.h"

IMPLEMENT_DYNAMIC(CNewMultiDocTemplate, CMultiDocTemplate)

CNewMultiDocTemplate::CNewMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : CMultiDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}
