#pragma once
// A drawable scratch leader for previews: a record of its own, made for an older symbol but
// living in the transient segment, so that picking its points never touches the document.
// Changes of its root are not reported to the symbol.
#include "rse/RSeRef.h"

class DLxCLeaderGeneral;
class DLxSymbol;
class SMxDisplayList;

class DLxCLeaderEnt {
public:
    // No scratch record for a null symbol.
    explicit DLxCLeaderEnt(DLxSymbol* owner);
    ~DLxCLeaderEnt();
    DLxCLeaderEnt(const DLxCLeaderEnt&) = delete;
    DLxCLeaderEnt& operator=(const DLxCLeaderEnt&) = delete;

    DLxSymbol* GetOwner() const { return m_owner.get(); }
    DLxCLeaderGeneral* GetRecord() const { return m_record; }
    // The scratch leader's pieces as lines into the list; false without a record.
    bool Draw(SMxDisplayList& list) const;

private:
    RSeRef<DLxSymbol> m_owner;
    DLxCLeaderGeneral* m_record = nullptr;
};
