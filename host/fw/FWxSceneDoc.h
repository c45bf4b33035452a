#pragma once
// The host's document: its object store, commands, selection and the change requests that are
// the only way to change it. (Being built up: the database is here; requests, undo and commands
// follow.)
#include <memory>

class RSeDatabase;

class FWxSceneDoc {
public:
    FWxSceneDoc();
    FWxSceneDoc(const FWxSceneDoc&) = delete;
    FWxSceneDoc& operator=(const FWxSceneDoc&) = delete;
    virtual ~FWxSceneDoc();

    RSeDatabase* GetRSeDb() const { return m_db.get(); }

private:
    std::unique_ptr<RSeDatabase> m_db;
};
