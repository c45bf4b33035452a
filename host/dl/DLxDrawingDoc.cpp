#include "dl/DLxDrawingDoc.h"

#include "dl/DLxSelectCmd.h"

DLxDrawingDoc::DLxDrawingDoc() : m_select(std::make_unique<DLxSelectCmd>(this)) {}

DLxDrawingDoc::~DLxDrawingDoc() = default;

FWxDocCmd* DLxDrawingDoc::GetStaticCommand() const {
    return m_select.get();
}
