#pragma once
// A drawing for general notes: one ISO sheet with the document styles, and the note requests
// run on it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Command/DLxSymbolDocCmdGroup.h"
#include "GeneralNote/DLxGeneralNote.h"
#include "Request/DLxGeneralNoteRequest.h"
#include "Standard/DLxStdStyles.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "ge/BBox.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"

struct NoteTestDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;

    NoteTestDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }

    // The annotation commands, as the applet gives every drawing; the group answers the
    // note commands' ids.
    void AddCommands() { doc->AddCommand(new DLxSymbolDocCmdGroup(doc.get())); }

    // A text as the text-format dialog hands it over, owned by the caller (transient).
    static RSeRef<RDxString> Text(const UTxString16& formatted, int32_t hJust = 0,
                                  int32_t vJust = 0, double height = 5.0, double rotation = 0.0) {
        auto* s = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                       RSe::TransientSegment()) RDxString();
        s->SetFormattedValue(formatted, 0x131);
        s->SetTextHeight(height);
        s->SetHorizontalJustification(hJust);
        s->SetVerticalJustification(vJust);
        s->SetRotation(rotation);
        return RSeRef<RDxString>(s);
    }

    UTxResult Create(const UTxString16& formatted, WqGePoint3d upperLeft = {100, 200, 0},
                     double fixedWidth = 0.0, WqGePoint3d lowerRight = {}, int32_t hJust = 0,
                     int32_t vJust = 0, double rotation = 0.0) {
        RSeRef<RDxString> text = Text(formatted, hJust, vJust, 5.0, rotation);
        const UTxResult r = doc->ProcessChangeRequest(
            new DLxGeneralNoteRequest(text, upperLeft, {}, {}, fixedWidth, lowerRight));
        RSe::DeleteObject(text.get());
        return r;
    }
    UTxResult Edit(DLxGeneralNote* note, const UTxString16& formatted, int32_t hJust = 0,
                   int32_t vJust = 0) {
        RSeRef<RDxString> text = Text(formatted, hJust, vJust);
        const UTxResult r = doc->ProcessChangeRequest(
            new DLxGeneralNoteTextEditRequest(RSeRef<DLxGeneralNote>(note), text));
        RSe::DeleteObject(text.get());
        return r;
    }
    UTxResult Resize(DLxGeneralNote* note, WqGePoint3d upperLeft, double w, double h) {
        return doc->ProcessChangeRequest(
            new DLxGeneralNoteResizeRequest(RSeRef<DLxGeneralNote>(note), upperLeft, w, h));
    }
    UTxResult Rotate(DLxGeneralNote* note, bool clockwise) {
        return doc->ProcessChangeRequest(
            new DLxGeneralNoteRotateRequest(RSeRef<DLxGeneralNote>(note), clockwise));
    }
    DLxGeneralNote* Note(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* note = dynamic_cast<DLxGeneralNote*>(r.GetTarget()))
                if (n++ == i) return note;
        return nullptr;
    }
    static BBox Box(const DLxGeneralNote* note) {
        BBox b;
        note->GetBBox(b);
        return b;
    }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};
