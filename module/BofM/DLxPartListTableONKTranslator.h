#pragma once
// The name-key translator of parts lists: a table is named by its key text and its origin, and
// found again by picking there with a parts-list filter.
#include <cstdint>

#include "dl/DLxPointKeyTranslator.h"
#include "fw/SmartPtr.h"

class DLxPartListSelection;
class DLxPartListTable;
class WqGePoint3d;

class DLxPartListTableONKTranslator : public DLxPointKeyTranslator {
public:
    // The resource string of the key text.
    static constexpr uint32_t kKeyTextId = 7922;
    explicit DLxPartListTableONKTranslator(uint32_t keyTextId) : m_keyTextId(keyTextId) {}
    uint32_t GetKeyTextId() const { return m_keyTextId; }

    // The first parts-list selection a pick at the point yields; null when none.
    static SmartPtr<DLxPartListSelection> FindSelection(FWxSceneDoc* doc, const WqGePoint3d& point);
    // Its table; null when none.
    static DLxPartListTable* TranslateKey(FWxSceneDoc* doc, const WqGePoint3d& point);

    // The one translator, registered for DLxPartListTable when the module starts.
    static void Register();

protected:
    bool KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const override;
    const char16_t* NotOfTheKind() const override;
    RSeIDed* Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const override;

private:
    uint32_t m_keyTextId;
};
