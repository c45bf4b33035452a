#pragma once
// A drawing holding one older symbol, as documents of earlier releases keep them: a weld
// symbol on the sheet with its arrowhead state (a dot) and one leader whose root is at
// (60,60), bending at (60,50) and ending, with an arrowhead, at (50,50). Building it is one
// undo step after the empty drawing.
#include <functional>
#include <memory>
#include <vector>

#include "Leader/DLxCLeader.h"
#include "Symbol/DLxWeldSymbol.h"
#include "TstFnRequest.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"

template <class Kind = DLxWeldSymbol> struct OlderSymbolDocOf {
    class Doc : public DLxDrawingDoc {
    public:
        bool PermittedCommand(int32_t c) const override {
            return !locked && DLxDrawingDoc::PermittedCommand(c);
        }
        bool locked = false;
    };
    std::unique_ptr<Doc> doc = std::make_unique<Doc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
    std::vector<uint8_t> empty;

    explicit OlderSymbolDocOf(bool displayLeaders = true) {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        empty = Bytes();
        EXPECT_FALSE(Edit([&] {
                         auto* sym = new (RSe::_GetMeta(static_cast<const Kind*>(nullptr)),
                                          RSe::SegmentOf(sheet)) Kind(nullptr);
                         sheet->AddNode(sym);
                         sym->SetArrowheadState(DUxArrowHeadState::Create(sheet, 28032));
                         // The base call: a leader text takes no new leader, but those of
                         // older documents hold one.
                         (void)sym->DLxSymbol::AddLeader({{50, 50, 0}, {60, 50, 0}, {60, 60, 0}});
                         sym->SetArrowheadVertexIndices({2});
                         sym->SetDisplayLeaders(displayLeaders);
                     }).Failed());
    }
    UTxResult Edit(std::function<void()> fn) {
        return doc->ProcessChangeRequest(new TstFnRequest(std::move(fn)));
    }
    Kind* Symbol() const {
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* s = dynamic_cast<Kind*>(r.GetTarget())) return s;
        return nullptr;
    }
    RSeRef<DLxSymbol> Ref() const { return RSeRef<DLxSymbol>(Symbol()); }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};
using OlderSymbolDoc = OlderSymbolDocOf<>;
