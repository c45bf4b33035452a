#pragma once
// The assembly a drawing documents, stored with the drawing: one object in the drawing
// document's first segment holding the model file's assembly as plain values, so that a stored
// drawing opened again still knows its components and structure. A drawing of no assembly has
// no such object.
#include <memory>

#include "dc/RDxObject.h"

class RSeDatabase;
struct DLxAssemblyData;

class DLxDrawingAssembly : public RDxObject {
public:
    DLxDrawingAssembly();
    explicit DLxDrawingAssembly(const RSeStream* s);
    ~DLxDrawingAssembly() override;
    RSeMetaType* GetMeta() const override;

    // The drawing's assembly in `db` (its first segment), null when it has none.
    static DLxDrawingAssembly* Find(RSeDatabase* db);
    static const DLxAssemblyData* FindData(RSeDatabase* db);

    const DLxAssemblyData& GetData() const { return *m_data; }
    // The whole assembly at once: callers change a copy and set it back, inside a transaction.
    void SetData(const DLxAssemblyData& data);

    // A load refuses an assembly that DLxAssemblyCheck finds unsound, as damaged.
    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxDrawingAssembly* target, RSeCloneCommander* cc) const;

private:
    // Behind a pointer, so that this header stays light for whoever reaches the drawing.
    std::unique_ptr<DLxAssemblyData> m_data;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDrawingAssembly*);
RSeMetaType* _GetMeta(const DLxDrawingAssembly*);
} // namespace RSe
