#pragma once
// A drawing document: a scene document whose static command is the drawing's select command.
#include <memory>

#include "fw/FWxSceneDoc.h"

class DLxSelectCmd;

class DLxDrawingDoc : public FWxSceneDoc {
public:
    DLxDrawingDoc();
    ~DLxDrawingDoc() override;
    FWxDocCmd* GetStaticCommand() const override;
    DLxSelectCmd* GetSelectCmd() const { return m_select.get(); }

private:
    std::unique_ptr<DLxSelectCmd> m_select;
};
