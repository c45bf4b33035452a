#pragma once
// Name keys: how a transcript names a stored object so that a replay finds the same object again.
// A key text is "<class name>#<rest>": the class is the object's own, the rest comes from the
// translator of that class (or of its nearest base that has one). Without a translator the rest
// is the object id, which replay on the document the transcript started from finds again.
#include <cstdint>

#include "fw/FWxErrors.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class RSeIDed;
class RSeDatabase;
class RSeMetaType;
class FWxSceneDoc;
class WqGePoint3d;

// The framework's library.
constexpr UTxResultCode kFBxErrNameKeyNone =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E10);
constexpr UTxResultCode kFBxErrNameKeyMalformed =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E11);
constexpr UTxResultCode kFBxErrNameKeyUnknownClass =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E12);
constexpr UTxResultCode kFBxErrNameKeyUnresolved =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E13);

// Names the objects of one class, and of the classes derived from it that have no translator of
// their own, by the part of the key after "<class name>#".
class FBxObjectNameKeyTranslator {
public:
    virtual ~FBxObjectNameKeyTranslator() = default;
    virtual UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const = 0;
    // The object `rest` names in `db`; null (or an error) when it names none. `doc` is the
    // document of `db` when there is one.
    virtual UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc* doc,
                                 RSeIDed*& out) const = 0;
};

class FBxObjectNameKey {
public:
    FBxObjectNameKey() = default;
    explicit FBxObjectNameKey(UTxString16 text) : m_text(std::move(text)) {}

    const UTxString16& GetText() const { return m_text; }
    bool IsEmpty() const { return m_text.empty(); }
    // The text before the first '#'; empty when there is no '#'.
    UTxString16 GetClassName() const;

    // The key of a live identified object.
    static UTxResult FromObject(const RSeIDed* obj, FBxObjectNameKey& out);
    // The object the key names in `db`. It must be of the named class or derive from it.
    UTxResult FindObject(RSeDatabase& db, FWxSceneDoc* doc, RSeIDed*& out) const;

    // Translators are not owned: each must outlive its registration (a module keeps them as
    // static objects and registers null under the same name before it unloads). Registering
    // null removes the translator of that class.
    static void RegisterTranslator(const UTxString16& className,
                                   const FBxObjectNameKeyTranslator* translator);
    // The translator serving a class: its own, else its nearest base's, else the default one.
    static const FBxObjectNameKeyTranslator& FindTranslator(const RSeMetaType* meta);
    // Names any identified object by its id.
    static const FBxObjectNameKeyTranslator& DefaultTranslator();

    // The rest of a key that names an object by a point of the sheet: "x,y", each the shortest
    // text that reads back to the same double, then "#id" when an object id is given: a pick
    // at the point may find another object lying over it, or several objects share the point,
    // and the id tells which one was meant. ReadPointRest refuses any other text; without an
    // id, `id` reads as 0.
    static UTxString16 PointRest(const WqGePoint3d& p, uint32_t id = 0);
    static UTxResult ReadPointRest(const UTxString16& rest, WqGePoint3d& out,
                                   uint32_t* id = nullptr);

private:
    UTxString16 m_text;
};
