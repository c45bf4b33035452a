#pragma once
// Treatments: the repairs the host offers next to a diagnosis. The host's treatment framework
// asks each treatment whether it applies to the object a diagnosis is about (CanApply) and
// applies the one the user picks (Apply). A treatment has a name (a string resource) and a
// command number: the base Apply runs that command on what is pre-selected, by posting it to
// the active scene view (a number of 0 runs nothing). A list treatment also names the stored
// classes it is offered for.
#include <cstdint>
#include <vector>

#include "rse/RSeRef.h"
#include "utx/UTxStringResource.h"
#include "utx/UTxString16.h"

class FWxSceneDoc;
class RDxObject;
class RSeMetaType;
class UTxDiagnosis;

class UCxTreatment {
public:
    UCxTreatment(uint32_t number, UTxStringResource name) : m_number(number), m_name(name) {}
    UCxTreatment(const UCxTreatment&) = default;
    virtual ~UCxTreatment();

    uint32_t GetNumber() const { return m_number; }
    const UTxStringResource& GetNameResource() const { return m_name; }
    // The name the user picks the treatment by.
    UTxString16 GetName() const;

    virtual void Apply(RSeRef<RDxObject> object, FWxSceneDoc* doc, UTxDiagnosis* diagnosis);
    virtual bool CanApply(RSeRef<RDxObject> object, UTxDiagnosis* diagnosis) = 0;

private:
    uint32_t m_number;
    UTxStringResource m_name;
};

class UCxTreatment_List : public UCxTreatment {
public:
    UCxTreatment_List(uint32_t number, UTxStringResource name) : UCxTreatment(number, name) {}
    UCxTreatment_List(const UCxTreatment_List&) = default;

    // The classes the treatment is offered for, in the order added.
    virtual void Add(RSeMetaType* meta);
    const std::vector<RSeMetaType*>& GetClasses() const { return m_classes; }

private:
    std::vector<RSeMetaType*> m_classes;
};
