#include "dl/DLxSelectCmd.h"

void DLxSelectCmd::AddFilter(const SmartPtr<SMxTypeFilterItem>& filter, bool enabled) {
    if (filter) m_filters.push_back({filter, enabled});
}

void DLxSelectCmd::AddSetManipulator(SMxManipulator* manipulator) {
    if (manipulator) m_manipulators.push_back(manipulator);
}
