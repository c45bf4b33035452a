// The all-around diameters that frames, surface-texture symbols and weld symbols of older
// stored versions get when their drawing loads: by their text's font size or, for some welds,
// by their weld style's identification-line gap; nothing for symbols of the current version.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "../Welding/WeldTestDoc.h"
#include "KorvuTestSupport.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Request/DLxCreateSurfTXTRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "TstDocWriter.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSymState.h"
#include "du/DUxWeldStyle.h"

namespace {
using namespace weldtest;

// The diameter a symbol holds as its own; none when it holds none.
std::optional<double> OwnDiameter(const DLxSymInstance* symbol) {
    const DUxSymState* state = symbol ? symbol->GetSymState() : nullptr;
    if (!state) return std::nullopt;
    const DUxLeaderStyleOverrides& own = state->GetLeaderStyleOverrides();
    if (!own.Has(DUxLeaderStyleOverrides::kAllAroundDiameter)) return std::nullopt;
    return own.allAroundDiameter;
}

template <class T> std::vector<T*> All(DLxDrawingDoc& doc) {
    std::vector<T*> out;
    for (DLxSheet* sheet : doc.GetSheets())
        for (const RSeRef<RDxNode>& n : sheet->GetNodes())
            if (auto* t = dynamic_cast<T*>(n.GetTarget())) out.push_back(t);
    return out;
}

// One drawing with two frames, two surface-texture symbols and four weld symbols, each pair
// with and without the all-around mark.
class AllAroundMigration : public ::testing::Test {
protected:
    AllAroundMigration() {
        for (bool allAround : {true, false}) {
            const std::vector<UTxString16> fields(7, u"");
            std::vector<UTxString16> f = fields;
            f[1] = u"0.1";
            EXPECT_FALSE(d.doc->ProcessChangeRequest(
                                  new DLxCreateGDTRequest(DLxIntent::OnEdge(d.view, 1, 0.2),
                                                          {{170, 150, 0}, {180, 200, 0}}, 28029,
                                                          true, allAround, f,
                                                          std::vector<int32_t>(7, 3), {true}, {},
                                                          {}))
                             .Failed());
            DLxCreateSurfTXTRequest::Flags flags;
            flags.allAround = allAround;
            flags.displayLeader = true;
            EXPECT_FALSE(d.doc->ProcessChangeRequest(
                                  new DLxCreateSurfTXTRequest(
                                      DLxIntent::OnEdge(d.view, 1, 0.6),
                                      {{210, 150, 0}, {220, 190, 0}}, {220, 190, 0}, 28029,
                                      std::vector<UTxString16>(14, u""), {}, 1, 0, 0.0, flags,
                                      {}, {}))
                             .Failed());
        }
        // Sub-welding area types: the first of 1, 2 or 4 decides.
        for (const std::vector<int32_t>& kinds :
             {std::vector<int32_t>{3, 2}, {4}, {3}, {1, 4}}) {
            Records records;
            for (size_t i = 0; i < kinds.size(); ++i) {
                if (i > 0) records.push_back(Rec(u"AddSubWeld", int32_t(i)));
                records.push_back(Rec(u"WeldAllAround", kinds[i]));
            }
            EXPECT_FALSE(d.Create(records).Failed());
        }
        DUxWeldStyleWrapper::GetDocumentStyle(d.doc.get())->SetIdentLineGap(2.5);
    }

    // The drawing saved, its classes declared at the given versions, then opened.
    std::unique_ptr<DLxDrawingDoc> Reopen(uint16_t frame, uint16_t surface, uint16_t weld) {
        std::vector<uint8_t> bytes = d.Bytes();
        // Frames before version 4 lacked the attachment-rule flag (its type mark and byte).
        if (frame < 4) bytes = TstDocWriter::AsOlder(bytes, u"DLxGDTInstance", frame, 2);
        bytes = TstDocWriter::AsOlder(bytes, u"DLxSurfTXTInstance", surface, 0);
        bytes = TstDocWriter::AsOlder(bytes, u"DLxWeldInstance", weld, 0);
        EXPECT_FALSE(bytes.empty());
        KorvuTempDir dir;
        const std::string path = dir.File("old.kvd");
        {
            FILE* f = fopen(path.c_str(), "wb");
            fwrite(bytes.data(), 1, bytes.size(), f);
            fclose(f);
        }
        std::unique_ptr<DLxDrawingDoc> out;
        const UTxResult r = DLxDrawingDoc::Open(path, out);
        EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
        return out;
    }

    WeldDoc d;
};

TEST_F(AllAroundMigration, OlderSymbolsTakeTheDiameterTheirTextImplies) {
    const double frameFont = d.doc->GetSheets().empty()
                                 ? 0
                                 : All<DLxGDTInstance>(*d.doc)[0]->GetTextStyleWrapper()->GetFontSize();
    const double surfaceFont =
        All<DLxSurfTXTInstance>(*d.doc)[0]->GetTextStyleWrapper()->GetFontSize();
    ASSERT_GT(frameFont, 0);
    ASSERT_GT(surfaceFont, 0);
    const double weldFont = W::kTextHeight;

    std::unique_ptr<DLxDrawingDoc> old = Reopen(2, 2, 2);
    ASSERT_TRUE(old);
    const auto frames = All<DLxGDTInstance>(*old);
    const auto surfaces = All<DLxSurfTXTInstance>(*old);
    const auto welds = All<DLxWeldInstance>(*old);
    ASSERT_EQ(frames.size(), 2u);
    ASSERT_EQ(surfaces.size(), 2u);
    ASSERT_EQ(welds.size(), 4u);
    EXPECT_EQ(OwnDiameter(frames[0]), 0.9 * frameFont);
    EXPECT_EQ(OwnDiameter(frames[1]), std::nullopt);
    EXPECT_EQ(OwnDiameter(surfaces[0]), 0.9 * surfaceFont);
    EXPECT_EQ(OwnDiameter(surfaces[1]), std::nullopt);
    EXPECT_EQ(OwnDiameter(welds[0]), 1.0 * weldFont); // 3 is passed over, 2 decides
    EXPECT_EQ(OwnDiameter(welds[1]), 2 * 2.5);         // the style's gap, twice
    EXPECT_EQ(OwnDiameter(welds[2]), std::nullopt);    // no all-around sub-welding
    EXPECT_EQ(OwnDiameter(welds[3]), 1.8 * weldFont);
    // The frame's leader draws its circle at that diameter.
    EXPECT_DOUBLE_EQ(frames[0]->GetLeaderStyleWrapper()->GetAllAroundDiameter(), 0.9 * frameFont);
}

TEST_F(AllAroundMigration, SymbolsOfTheCurrentVersionsAreLeftAlone) {
    for (const auto& [frame, surface, weld] :
         {std::tuple<uint16_t, uint16_t, uint16_t>{4, 3, 4}, {3, 3, 3}}) {
        SCOPED_TRACE(frame);
        std::unique_ptr<DLxDrawingDoc> doc = Reopen(frame, surface, weld);
        ASSERT_TRUE(doc);
        for (DLxSymInstance* s : All<DLxSymInstance>(*doc))
            EXPECT_EQ(OwnDiameter(s), std::nullopt);
    }
}

} // namespace
