#pragma once
// The legacy leader text: a formatted text on a landing. Loaded from older documents only.
#include "Symbol/DLxSymbol.h"

class RDxString;

class DLxLeaderText : public DLxSymbol {
public:
    explicit DLxLeaderText(const RSeStream* s);
    ~DLxLeaderText() override;
    RSeMetaType* GetMeta() const override;

    int32_t GetSymbolType() const override { return kLeaderTextSymbol; }
    const RSeRef<RDxString>& GetText() const { return m_text; }
    DLxCLeaderGeneral* CreateLeaderRecord() override;
    // A leader text gets no leader this way: success, nothing added.
    UTxResult AddLeader(const std::vector<WqGePoint3d>&) override { return {}; }
    // A changed landing moves the text as a moved root does.
    UTxResult OnLandingChanged(const WqGeVector3d& offset, DLxCLeader* leader) override {
        return MoveToLeader(offset, leader);
    }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxLeaderText* target, RSeCloneCommander* cc) const;

private:
    RSeRef<RDxString> m_text;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxLeaderText*);
RSeMetaType* _GetMeta(const DLxLeaderText*);
} // namespace RSe
