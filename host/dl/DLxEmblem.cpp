#include "dl/DLxEmblem.h"

#include "sm/SMxDisplayList.h"

DLxEmblem::DLxEmblem() : m_list(std::make_unique<SMxDisplayList>()) {}
DLxEmblem::DLxEmblem(const RSeStream* s)
    : DUxEmblem(s), m_list(std::make_unique<SMxDisplayList>()) {}
DLxEmblem::~DLxEmblem() = default;
