#pragma once
// The drawing services through which datum targets draw their shape and balloon records, one
// per target type (1 balloon to 5 rectangular area), made once at start-up. Type 0 has none: a
// record of that type draws nothing.
#include <cstdint>
#include <map>
#include <memory>

#include "utx/UTxResult.h"

class DLxCTargetService;
class DLxCTargetSubSym;
class DUxCAuxEntArray;
class DUxSymState;
class SMxDisplayList;
class WqGeMatrix3d;

class DLxCTargetServiceRegistry {
public:
    static DLxCTargetServiceRegistry& Instance();
    // Under the service's own type; replaces one registered before.
    void Register(std::unique_ptr<DLxCTargetService> service);
    // Null when no service draws the type.
    DLxCTargetService* Find(int32_t type) const;
    // Draws one record of a datum target (its owner) with the target's style; nothing for a
    // type without service.
    UTxResult GenGraphics(const DUxSymState* state, SMxDisplayList& list,
                          const DLxCTargetSubSym& record, const WqGeMatrix3d& xform, bool preview);
    // The record's entities, as a drag preview draws them.
    void CreateAuxEntities(const DLxCTargetSubSym& record, DUxCAuxEntArray& array,
                           const WqGeMatrix3d& xform);

private:
    DLxCTargetServiceRegistry();
    std::map<int32_t, std::unique_ptr<DLxCTargetService>> m_services;
};
