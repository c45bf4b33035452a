#include "fw/FWxSceneDoc.h"

#include "rse/RSeDatabase.h"

FWxSceneDoc::FWxSceneDoc() : m_db(std::make_unique<RSeDatabase>()) { m_db->CreateSegment(u"Document"); }

FWxSceneDoc::~FWxSceneDoc() = default;
