// The text-format dialog edits a copy of the caller's text: OK writes what the user chose,
// Cancel leaves the text as it was; turns other than quarter turns need any-angle rotation, and
// a height comes from the offered list.
#include <gtest/gtest.h>

#include "WinMessageBox.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTextFormater.h"

namespace {

TEST(TextFormater, OkWritesTheEditAndCancelKeepsTheText) {
    RDxString* text = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                           RSe::TransientSegment()) RDxString();
    text->SetFormattedValue(u"before", UCxTextFormater::kTextFormat);
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        UCxTextFormater dialog(text, nullptr, 0, {u"2.5", u"3.5 mm", u"big"}, u"3.5");
        CDialog::ModalRunner before = CDialog::SetModalRunner([ok](CDialog& d) {
            auto& f = dynamic_cast<UCxTextFormater&>(d);
            f.SetFormattedText(u"after");
            EXPECT_TRUE(f.ChooseHeight(1));
            EXPECT_FALSE(f.ChooseHeight(2));
            EXPECT_FALSE(f.ChooseHeight(3));
            EXPECT_FALSE(f.SetRotation(0.5));
            EXPECT_TRUE(f.SetRotation(1.5707963267948966));
            f.AllowAnyAngleRotation(true);
            EXPECT_TRUE(f.SetRotation(0.5));
            f.SetJustification(2, 7);
            if (ok)
                f.OnOK();
            else
                f.OnCancel();
        });
        EXPECT_EQ(dialog.DoModal(), ok ? IDOK : IDCANCEL);
        CDialog::SetModalRunner(before);
        EXPECT_EQ(text->GetOriginalValue(), ok ? u"after" : u"before");
        EXPECT_EQ(text->GetTextHeight(), ok ? 3.5 : 0.0);
        EXPECT_EQ(text->GetRotation(), ok ? 0.5 : 0.0);
        EXPECT_EQ(text->GetHorizontalJustification(), ok ? 2 : 0);
        EXPECT_EQ(text->GetVerticalJustification(), 0);
    }
    RSe::DeleteObject(text);
}

} // namespace
