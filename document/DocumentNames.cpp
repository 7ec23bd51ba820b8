#include "document/DocumentNames.h"

bool IsDefaultTemplateName(const CString& title)
{
    return title == kSingleTemplateName || title == kDoubleTemplateName;
}

CString NormaliseDocumentPath(const CString& path)
{
    const int extensionLength = static_cast<int>(sizeof kDocumentExtension) - 1;
    if (path.GetLength() >= extensionLength) {
        CString ending = path.Right(extensionLength);
        if (ending.MakeLower() == kDocumentExtension)
            return path.Left(path.GetLength() - extensionLength) + kDocumentExtension;
    }
    return path + kDocumentExtension;
}
