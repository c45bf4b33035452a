#pragma once
#include <cstdint>

class RDxTemplate;
class UTxGUID;

// The process's templates by GUID and version. The registry does not own them: a template
// registers when its library starts and leaves when it is destroyed.
class RSeTemplateMgr {
public:
    // False when the template is null, its version negative, or another one holds its GUID
    // and version: two templates under one name would make instances ambiguous.
    static bool Register(RDxTemplate* tmpl);
    static void Unregister(RDxTemplate* tmpl);
    // The template of exactly that GUID and version; a negative version asks for the newest.
    // Null when none is registered.
    static RDxTemplate* GetTemplate(const UTxGUID& guid, int32_t version);
};
