#pragma once
// The registry of balloon shape services: one service per shape, made once on first use in a
// fixed order, each given its defaults and kept under its shape id (the balloon type code of
// the balloon style). Every layout, drawing and measuring of a table-callout entry starts by
// looking up the service of its style's balloon type here.
#include <cstdint>
#include <map>
#include <vector>

class DLxCBalloonService;

class DLxTableCalloutServiceHelper {
public:
    virtual ~DLxTableCalloutServiceHelper();
    DLxTableCalloutServiceHelper(const DLxTableCalloutServiceHelper&) = delete;
    DLxTableCalloutServiceHelper& operator=(const DLxTableCalloutServiceHelper&) = delete;

    // The module's one registry, built on first use.
    static DLxTableCalloutServiceHelper& Get();
    // Null for a code no service has.
    DLxCBalloonService* Find(uint32_t shapeId) const;
    // The shape ids in the order the services were made.
    const std::vector<uint32_t>& GetCreationOrder() const { return m_order; }

private:
    DLxTableCalloutServiceHelper();

    std::map<uint32_t, DLxCBalloonService*> m_services;
    std::vector<uint32_t> m_order;
};
