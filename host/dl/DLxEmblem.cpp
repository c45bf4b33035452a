#include "dl/DLxEmblem.h"

#include "sm/SMxDisplayList.h"

DLxEmblem::DLxEmblem() : m_list(std::make_unique<SMxDisplayList>()) {}
DLxEmblem::DLxEmblem(const RSeStream* s)
    : RDxInstance(s), m_list(std::make_unique<SMxDisplayList>()) {}
DLxEmblem::~DLxEmblem() = default;
