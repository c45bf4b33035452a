#pragma once
// The drawing's select command: the document's static command. Picks go through its selection
// filters in the order they were added; set manipulators are offered the selected objects.
#include <vector>

#include "fw/FWxDocCmd.h"
#include "fw/SmartPtr.h"
#include "sm/SMxTypeFilterItem.h"

class SMxManipulator;

class DLxSelectCmd : public FWxDocStateCmd {
public:
    explicit DLxSelectCmd(FWxSceneDoc* doc) : FWxDocStateCmd(doc) {}

    virtual void AddFilter(const SmartPtr<SMxTypeFilterItem>& filter, bool enabled);
    size_t GetFilterCount() const { return m_filters.size(); }
    const SmartPtr<SMxTypeFilterItem>& GetFilter(size_t i) const { return m_filters[i].filter; }
    bool IsFilterEnabled(size_t i) const { return m_filters[i].enabled; }

    // The manipulator stays its owner's.
    void AddSetManipulator(SMxManipulator* manipulator);
    const std::vector<SMxManipulator*>& GetSetManipulators() const { return m_manipulators; }

private:
    struct Entry {
        SmartPtr<SMxTypeFilterItem> filter;
        bool enabled;
    };
    std::vector<Entry> m_filters;
    std::vector<SMxManipulator*> m_manipulators;
};
