#include "du/IFxStringExtUtil.h"

#include "du/DUxCAuxEntArray.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rd/RDxString.h"
#include "sm/SMxDisplayItem.h"
#include "uc/UCxStringUtil.h"
#include "utx/UTxGUID.h"

const UTxGUID& UTxGuidForIFxStringExtUtil() {
    static const UTxGUID g(0x2a5b7c10, 0x4d1e11d3, 0x9f300800, 0x09dc7010);
    return g;
}

IFxStringExtUtil::IFxStringExtUtil() : RSeStaticInterface(UTxGuidForIFxStringExtUtil()) {}

BBox IFxStringExtUtil::GetStringExtents(const RDxString& text, FWxSceneDoc*) const {
    const UTxString16& formatted = text.GetFormattedValue();
    const UTxString16 shown =
        formatted.empty() ? text.GetSimpleValue() : DUxPlainText(formatted, -1, text.GetFontId());
    if (shown.empty() || text.GetTextHeight() <= 0.0) return BBox();
    return UCxStringUtil::GetBBox(shown, text.GetTextHeight(), UCxStringUtil::kDefaultLinePitch,
                                  SMxTextAlign::BottomLeft, WqGePoint3d::kOrigin,
                                  WqGeVector3d::kXAxis);
}

namespace {
// Registered when the host library loads, as the host published its services.
IFxStringExtUtil s_stringExtUtil;
} // namespace

IFxStringExtUtil* IFxStringExtUtil::Get() {
    return RSe::StaticInterfaceSet().Query<IFxStringExtUtil>(UTxGuidForIFxStringExtUtil());
}
