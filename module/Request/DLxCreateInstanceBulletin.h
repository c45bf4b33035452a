#pragma once
// The note a create request leaves with its transaction. When the creation is undone and the
// clipboard still holds this document's copy of the created object, the clipboard is emptied,
// so that nothing pastes an object that no longer exists.
#include "rse/RSeRef.h"
#include "rse/RSeTransaction.h"

class FWxSceneDoc;

class DLxCreateInstanceBulletin : public RSeTxnBulletin {
public:
    // `format` is the clipboard format the copies of the created kind travel under.
    DLxCreateInstanceBulletin(FWxSceneDoc* doc, const RSeRefBase& created,
                              const char16_t* format = nullptr);
    void PostUndo() override;
    void PostRedo() override {}

    const RSeRefBase& GetCreated() const { return m_created; }
    FWxSceneDoc* GetDocument() const { return m_doc; }

private:
    RSeRefBase m_created;
    FWxSceneDoc* m_doc;
    const char16_t* m_format;
};

// One per placed kind; they share the behaviour above.
#define DLX_CREATE_BULLETIN(name)                                                                  \
    class name : public DLxCreateInstanceBulletin {                                                \
    public:                                                                                        \
        using DLxCreateInstanceBulletin::DLxCreateInstanceBulletin;                                \
    }
DLX_CREATE_BULLETIN(DLxCreateBalloonSymInstanceBulletin);
DLX_CREATE_BULLETIN(DLxCreateDatumIdInstanceBulletin);
DLX_CREATE_BULLETIN(DLxCreateGDTInstanceBulletin);
DLX_CREATE_BULLETIN(DLxCreateLeaderTextInstanceBulletin);
DLX_CREATE_BULLETIN(DLxCreateSurfTXTInstanceBulletin);
DLX_CREATE_BULLETIN(DLxCreateSymbolInstanceBulletin);
DLX_CREATE_BULLETIN(DLxCreateWeldInstanceBulletin);
#undef DLX_CREATE_BULLETIN

// Parts lists are copied under a clipboard format of their own.
class DLxCreatePartListTableBulletin : public DLxCreateInstanceBulletin {
public:
    DLxCreatePartListTableBulletin(FWxSceneDoc* doc, const RSeRefBase& table);
};
