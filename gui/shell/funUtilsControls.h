#pragma once

#include "funUtils.h"
#include "gui/widgets/ArButton.h"

#include <string>

namespace varnook {

// Places a control from a skin position "left, top, width, height": false, with nothing changed, when the
// value is empty or has fewer than four parts. A part that is not a whole number raises platform::EError.
template <class TControlLike>
bool SetControlPos(TControlLike& control, const std::wstring& value) {
    TPos pos;
    if (value.empty() || !ParsePos(value, pos))
        return false;
    control.SetBounds(pos.left, pos.top, pos.width, pos.height);
    return true;
}

// Loads SkinsPath + `fileName` into a picture when that file exists; false, with the picture unchanged,
// when it does not. A damaged file or an unknown picture type raises platform::EError.
bool LoadSkinPicture(TPicture& picture, const std::wstring& fileName);
bool LoadPicNormal(TArButton& button, const std::wstring& fileName);
bool LoadPicMouseHover(TArButton& button, const std::wstring& fileName);
bool LoadPicMouseDown(TArButton& button, const std::wstring& fileName);
bool LoadPicDisabled(TArButton& button, const std::wstring& fileName);

}  // namespace varnook
