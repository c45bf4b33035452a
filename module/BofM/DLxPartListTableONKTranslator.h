#pragma once
// The name-key translator of parts lists: a table is named by its key text and its origin, and
// found again by picking there with a parts-list filter.
#include <cstdint>

#include "fw/FBxObjectNameKey.h"
#include "fw/SmartPtr.h"

class DLxPartListSelection;
class DLxPartListTable;
class WqGePoint3d;

class DLxPartListTableONKTranslator : public FBxObjectNameKeyTranslator {
public:
    // The resource string of the key text.
    static constexpr uint32_t kKeyTextId = 7922;
    explicit DLxPartListTableONKTranslator(uint32_t keyTextId) : m_keyTextId(keyTextId) {}
    uint32_t GetKeyTextId() const { return m_keyTextId; }

    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override;
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc* doc,
                         RSeIDed*& out) const override;

    // The first parts-list selection a pick at the point yields; null when none.
    static SmartPtr<DLxPartListSelection> FindSelection(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its table; null when none.
    static DLxPartListTable* TranslateKey(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxPartListTable when the module starts.
    static void Register();

private:
    uint32_t m_keyTextId;
};
