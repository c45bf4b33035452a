#pragma once
// The quantity of an older parts list's row: the binder's quantity as a decimal number, or a
// custom part's quantity text; a typed quantity overrides it until cleared or typed back.
#include "BofM/DLxPartListProperty.h"

class DLxTableComponentBinder;

class DLxPartListTablePropertyQuantity : public DLxPartListProperty {
public:
    DLxPartListTablePropertyQuantity(DLxTableComponentBinder* binder,
                                     const RSeRef<DLxComponentProperty>& quantityValue);
    explicit DLxPartListTablePropertyQuantity(const RSeStream* s) : DLxPartListProperty(s) {}
    RSeMetaType* GetMeta() const override;

    UTxString16 GetValue(const RSeRef<RDxComponent>& component, bool quantityMode,
                         int32_t& type) override;
    UTxString16 GetValueString(bool quantityMode) override;
    // A custom part takes the text as its quantity; otherwise it overrides the computed one
    // while it differs from it.
    ResultWord SetValueString(const UTxString16& text) override;
    // Overridden with a text other than the computed quantity.
    bool IsOverridden() const;
    void ClearOverride();
    UTxString16 ComputeQuantityString(bool quantityMode) const;
    // Quantities per structure where the binder's tag manager lists them so (list mode 1).
    bool GetQuantityMode() const;

    void Load(RSeStream& s);
    // Version 0 had no override.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxPartListTablePropertyQuantity* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxTableComponentBinder> m_binder;
    RSeRef<DLxComponentProperty> m_quantityValue; // the component's, not owned
    UTxString16 m_override;
    bool m_overridden = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListTablePropertyQuantity*);
RSeMetaType* _GetMeta(const DLxPartListTablePropertyQuantity*);
} // namespace RSe
