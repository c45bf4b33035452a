#pragma once
// What a command draws while the user works (a preview under the cursor): a display list that
// belongs to no document and is never saved.
#include "sm/SMxDisplayList.h"

class DLxTransientDrawObject {
public:
    SMxDisplayList& GetDisplayList() { return m_list; }
    const SMxDisplayList& GetDisplayList() const { return m_list; }
    void RemoveAll() { m_list.Clear(); }

private:
    SMxDisplayList m_list;
};
