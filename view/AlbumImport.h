#pragma once
// The label view as the album dialog sees it.

#include "album/AlbumLabel.h"

class CQuorbel6View;

class CViewAlbumLabel : public IAlbumLabel
{
public:
    explicit CViewAlbumLabel(CQuorbel6View& view) : m_view(view) {}

    bool IsDoubleLayout() const override;
    CString ObjectText(const CString& objectName) const override;
    bool WriteAlbumTexts(const AlbumTextWrites& writes) override;

private:
    CQuorbel6View& m_view;
};
