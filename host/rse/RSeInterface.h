#pragma once
#include <map>

#include "utx/UTxGUID.h"

class RSeDatabase;
class RSeInterface;
class RSeStaticInterface;

// The interfaces published in one database, by GUID.
class RSeDatabaseInterfaces {
public:
    explicit RSeDatabaseInterfaces(RSeDatabase* db) : m_db(db) {}
    RSeDatabase* GetDatabase() const { return m_db; }
    RSeInterface* Find(const UTxGUID& guid) const;
    template <class I> I* Query(const UTxGUID& guid) const { return dynamic_cast<I*>(Find(guid)); }
    void Register(const UTxGUID& guid, RSeInterface* itf);
    void Unregister(const UTxGUID& guid, RSeInterface* itf);

private:
    RSeDatabase* m_db;
    std::map<UTxGUID, RSeInterface*> m_byGuid;
};

// An interface object published in a database under its GUID for as long as it lives.
class RSeInterface {
public:
    RSeInterface(RSeDatabaseInterfaces* set, const UTxGUID& guid);
    RSeInterface(const RSeInterface&) = delete;
    RSeInterface& operator=(const RSeInterface&) = delete;
    virtual ~RSeInterface();
    const UTxGUID& GetGUID() const { return m_guid; }
    RSeDatabaseInterfaces* DatabaseInterfaces() const { return m_set; }

private:
    RSeDatabaseInterfaces* m_set;
    UTxGUID m_guid;
};

// The interfaces published once for the whole process.
class RSeStaticInterfaceSet {
public:
    RSeStaticInterface* Find(const UTxGUID& guid) const;
    template <class I> I* Query(const UTxGUID& guid) const { return dynamic_cast<I*>(Find(guid)); }
    void Register(const UTxGUID& guid, RSeStaticInterface* itf);
    void Unregister(const UTxGUID& guid, RSeStaticInterface* itf);

private:
    std::map<UTxGUID, RSeStaticInterface*> m_byGuid;
};

class RSeStaticInterface {
public:
    explicit RSeStaticInterface(const UTxGUID& guid);
    RSeStaticInterface(const RSeStaticInterface&) = delete;
    RSeStaticInterface& operator=(const RSeStaticInterface&) = delete;
    virtual ~RSeStaticInterface();
    const UTxGUID& GetGUID() const { return m_guid; }
    static RSeStaticInterfaceSet& Interfaces();

private:
    UTxGUID m_guid;
};

namespace RSe {
RSeStaticInterfaceSet& StaticInterfaceSet();
} // namespace RSe
