// Model files, versions 1 to 4. A model file is one JSON object:
//
//   {
//     "format": "korvu-model",          required, exactly this
//     "version": 4,                     required integer, 1 to 4; later versions are refused
//     "standard": "ISO",                optional: ANSI, BSI, DIN, GB, ISO or JIS (default ISO)
//     "assembly": {                     optional, version 2: the assembly the drawing documents
//       "root": 1,                      required: the id of the component the drawing shows
//       "components": [                 required: part documents and sub-assemblies
//         {"id": 5,                     required, positive, unique among the components
//          "kind": "part",              required: part or assembly
//          "name": "bolt M8x30",        required, not empty
//          "path": "iso4017-m8.kprt",   required: the document in the model repository, unique
//          "partNumber": "...", "description": "...", "material": "...", "vendor": "...",
//                                       optional texts (default empty)
//          "mass": 0.017,               optional, kg, 0 or more (default: none)
//          "purchased": false, "standardPart": true,           optional (default false)
//          "properties": [{"name": "Thread", "value": "M8"}],  optional user properties,
//                                       names unique in the component, kept in this order
//          "representations": ["Master"],                      optional, names unique
//          "familyTable": {"members": ["M8x25", "M8x30"], "active": "M8x30"}}
//                                       optional: the component is a factory of these members
//       ],
//       "occurrences": [                optional: the structure
//         {"id": 5,                     required, positive, unique among the occurrences
//          "parent": 1,                 required: the assembly component it lies in
//          "component": 5,              required: the component it places
//          "quantity": 1}               optional, 1 or more (default 1)
//       ],
//       "bomScheme": {                  optional: the root document's bill-of-materials schemes
//         "structured": true, "partsOnly": false, "structuredAllLevels": false,
//         "structuredFormat": 0, "delimiter": ".", "partsOnlyFormat": 0,
//         "updatePending": false}       (these are the defaults; formats 0 or more)
//     },
//     "resources": {                    optional, version 2: what the drawing keeps for its
//       "sketches": [                   annotations; sketched-symbol definitions, their
//         {"name": "Flag",              coordinates the sketch's own: name required, unique
//          "insert": [6, 0],            optional insertion point (default [0, 0])
//          "lines": [[[0, 0], [12, 0]]],                       optional, two distinct ends each
//          "arcs": [{"center": [x, y], "radius": r, "start": deg, "end": deg}],  optional,
//                                       counter-clockwise from start to end, radius above 0
//          "circles": [{"center": [x, y], "radius": r}],       optional, radius above 0
//          "texts": [{"text": "A", "at": [x, y], "height": 3.5, "prompt": "Revision"}],
//                                       optional; at is the text's bottom left, height above
//                                       0 (default 3.5); a prompt makes the text a parameter
//                                       whose value each placement gives (text its default)
//          "images": [{"name": "stamp.png", "from": [x, y], "to": [x, y]}],  optional, the
//                                       image's name and two opposite corners, distinct
//          "connections": [[x, y]]}     optional: where other sketched symbols join this one
//       ]
//     },
//     "welds": [                        optional, version 3: the model's weld features
//       {"id": 101,                     required, positive, unique among the welds
//        "reverse": false,              optional: the model's arrow side is the drawing's
//                                       other side (default false)
//        "other": 102,                  optional, version 4: the weld shown on the symbol's
//                                       other side (another weld, which keeps no symbol)
//        "cosmetic": false,             optional, version 4: a weld without a bead, laid
//                                       along part edges (their cosmeticWelds)
//        "subWeldings": [               required (from version 4 optional, may be empty: no
//                                       symbol of its own), at least one: the weld symbol the model
//          {"arrow": {...},             keeps for the weld, one reference line each;
//           "other": {...},             optional: the welds of the arrow and other sides
//           "field": 1,                 optional: the field-weld flag, 0 none (default 0)
//           "allAround": 1,             optional: 0 none, 1 .. 4 as the weld symbol's
//           "tail": true,               optional: the tail boxed (default false)
//           "notes": "111"}             optional: the tail's text
//        ]}                             a weld: {"type": 1 .. 10 (fillet, square, V, bevel,
//     ],                                U, J, plug, spot, seam, back), "contour": 0 .. 3,
//                                       "prefix", "size", "depth", "length", "pitch",
//                                       "angle", "rootOpening": optional texts}
//     "sheets": [                       required, at least one
//       {
//         "name": "Sheet 1",            required, not empty, unique among the sheets
//         "width": 420, "height": 297,  required, sheet units (mm), above 0
//         "views": [                    optional (default none)
//           {
//             "name": "Front",          required, not empty, unique on its sheet
//             "scale": 1.0,             required, above 0
//             "center": [150, 150],     required: the view's centre on the sheet, [x, y]
//             "orientation": "front",   required: front, back, top, bottom, left, right,
//                                       isometric, or {"direction": [x,y,z], "up": [x,y,z]}
//             "rotation": 0,            optional: degrees counter-clockwise on the sheet
//             "origin": [0, 0, 0],      optional: the model point at the view's centre
//             "edges": [                optional (default none)
//               {"id": 1, "line": [[x,y,z], [x,y,z]]},
//               {"id": 2, "arc": {"center": [x,y,z], "normal": [x,y,z], "radius": r,
//                                 "start": deg, "end": deg, "reference": [x,y,z]}},
//               {"id": 3, "circle": {"center": [x,y,z], "normal": [x,y,z], "radius": r},
//                "occurrence": [18, 19],  optional, version 2: the occurrence path of the
//                                       component the edge belongs to
//                "weld": 101,           optional, version 3: the (not cosmetic) weld whose
//                                       bead it edges
//                "cosmeticWelds": [{"weld": 103, "intervals": [0.2, 0.6]}]}  optional,
//                                       version 4: cosmetic welds along the edge, each over
//                                       pairs of edge parameters (0 start, 1 end)
//             ],
//             "breaks": [               optional (default none): bands the view leaves out
//               {"direction": "horizontal", "from": x1, "to": x2}
//             ]
//           }
//         ],
//         "partsLists": [               optional, version 2, needs the assembly: parts lists of
//           {                           the assembly's bill of materials on this sheet
//             "origin": [300, 120],     required: the table's origin corner, [x, y]
//             "title": "PARTS LIST"     optional: the title; else the style's
//           }
//         ]
//       }
//     ]
//   }
//
// Model axes: x to the right and y up in the front view, z towards its viewer. A direction is
// where the view looks (front looks along -z); up is what shows up the sheet. Edge ids are
// positive 32-bit integers, unique within their view, and each edge has exactly one of line,
// arc and circle. An arc runs counter-clockwise about its normal from start to end, angles
// measured from the reference (optional: any direction in the arc's plane, normal.perpVector()
// when absent); an end below the start wraps around once, and a sweep of 360 is a circle.
// A break is a band across the view in sheet units of the unbroken view (from < to): a
// horizontal one between the x coordinates from and to, a vertical one between y coordinates;
// bands of one direction must not overlap.
//
// The assembly must be sound (DLxAssemblyCheck): every id it names exists, an occurrence lies in
// an assembly and places its component at least once, and no assembly contains itself. An
// edge's occurrence path lists occurrence ids from the root down: the first lies in the root,
// each next one in the component the one before places.
//
// Members other than these are refused, so that a misspelt optional member does not pass
// unnoticed; the members of version 2 are refused in a version 1 file. Later versions add
// members (weld beads in the views) and keep these: a file of one version stays a valid file
// of every later version, and a reader refuses versions newer than its own.
#include "dl/DLxModelFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <numbers>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

#include "dl/DLxAssemblyCheck.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxErrors.h"
#include "dl/DLxModelWeld.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "dl/DLxViewEdge.h"
#include "dl/DLxViewInstance.h"
#include "utx/UTxString16.h"

namespace {
using json = nlohmann::json;

constexpr const char* kFormat = "korvu-model";
constexpr double kDegree = std::numbers::pi / 180.0;

struct Messages {
    Messages() {
        UTx::RegisterMessage(kDLxLibrary, UTxResult::IdOf(kDLxErrModelRead),
                             u"The model file cannot be read");
        UTx::RegisterMessage(kDLxLibrary, UTxResult::IdOf(kDLxErrModelSyntax),
                             u"The model file is not JSON");
        UTx::RegisterMessage(kDLxLibrary, UTxResult::IdOf(kDLxErrModelInvalid),
                             u"The model file is not valid");
        UTx::RegisterMessage(kDLxLibrary, UTxResult::IdOf(kDLxErrModelVersion),
                             u"The model file is of a format or version this program does not "
                             u"read");
    }
} g_messages;

struct NamedOrientation {
    const char* name;
    WqGeVector3d direction;
    WqGeVector3d up;
};
const NamedOrientation kOrientations[] = {
    {"front", {0, 0, -1}, {0, 1, 0}},       {"back", {0, 0, 1}, {0, 1, 0}},
    {"top", {0, -1, 0}, {0, 0, -1}},        {"bottom", {0, 1, 0}, {0, 0, 1}},
    {"left", {1, 0, 0}, {0, 1, 0}},         {"right", {-1, 0, 0}, {0, 1, 0}},
    {"isometric", {-1, -1, -1}, {0, 1, 0}},
};
const char* const kStandards[] = {"ANSI", "BSI", "DIN", "GB", "ISO", "JIS"};

// What was wrong, and where in the model.
struct Fault {
    UTxResultCode code;
    std::string path;
    std::string what;
};

std::string Member(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}
std::string Element(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

[[noreturn]] void Fail(const std::string& path, const std::string& what,
                       UTxResultCode code = kDLxErrModelInvalid) {
    throw Fault{code, path, what};
}

std::string Quoted(const std::string& s) {
    return json(s).dump();
}

// The parsed model, checked through before a document is made of it.
struct ViewData {
    std::string name;
    double scale = 1.0;
    WqGePoint3d center;
    WqGePoint3d origin;
    WqGeVector3d direction;
    WqGeVector3d up;
    double rotation = 0.0;
    std::vector<DLxViewEdge> edges;
    std::vector<DLxViewBreak> breaks;
};
struct PartsListData {
    double x = 0.0;
    double y = 0.0;
    bool hasTitle = false;
    std::string title;
};
struct SheetData {
    std::string name;
    double width = 0.0;
    double height = 0.0;
    std::vector<ViewData> views;
    std::vector<PartsListData> partsLists;
};
struct SketchData {
    std::string name;
    WqGePoint3d insert;
    std::vector<DLxSketch::Curve> curves;
    std::vector<DLxSketch::Text> texts;
    std::vector<DLxSketch::Image> images;
    std::vector<WqGePoint3d> connections;
};
struct ModelData {
    std::string standard = "ISO";
    DLxAssemblyData assembly;
    std::vector<DLxModelWeld> welds;
    std::vector<SheetData> sheets;
    std::vector<SketchData> sketches;
};

class Reader {
public:
    ModelData Read(const json& root) {
        if (!root.is_object()) Fail("", "expected an object, found " + TypeOf(root));
        const std::string format = String(Required(root, "", "format"), "format");
        if (format != kFormat)
            Fail("format", "expected " + Quoted(kFormat) + ", found " + Quoted(format),
                 kDLxErrModelVersion);
        const int64_t version = Integer(Required(root, "", "version"), "version");
        if (version < 1 || version > DLxModelFile::kVersion)
            Fail("version",
                 "version " + std::to_string(version) + " is not supported (this program reads " +
                     "versions 1 to " + std::to_string(DLxModelFile::kVersion) + ")",
                 kDLxErrModelVersion);
        m_version = version;
        if (version >= 3)
            OnlyMembers(root, "", {"format", "version", "standard", "assembly", "resources",
                                   "welds", "sheets"});
        else if (version >= 2)
            OnlyMembers(root, "",
                        {"format", "version", "standard", "assembly", "resources", "sheets"});
        else
            OnlyMembers(root, "", {"format", "version", "standard", "sheets"});

        ModelData model;
        // Before the sheets: their edges name the assembly's occurrences.
        if (const json* assembly = Optional(root, "assembly")) {
            model.assembly = ReadAssembly(*assembly, "assembly");
            m_hasAssembly = true;
            const DLxAssemblyFault fault = DLxAssemblyCheck::Check(model.assembly);
            if (!fault.Empty()) Fail(Member("assembly", fault.path), fault.what);
        }
        m_paths = std::make_unique<DLxAssemblyCheck>(model.assembly);
        // Before the sheets too: edges name the welds.
        if (const json* welds = Optional(root, "welds")) {
            Array(*welds, "welds");
            std::map<std::string, size_t> ids;
            for (size_t i = 0; i < welds->size(); ++i) {
                const std::string at = Element("welds", i);
                model.welds.push_back(ReadWeld((*welds)[i], at));
                const std::string id = std::to_string(model.welds.back().id);
                Unique(ids, id, i, Member(at, "id"), "weld id " + id, "welds");
            }
            m_welds = model.welds;
            for (size_t i = 0; i < model.welds.size(); ++i) {
                const DLxModelWeld& w = model.welds[i];
                if (w.other == 0) continue;
                const DLxModelWeld* other = FindWeld(w.other);
                const std::string at = Member(Element("welds", i), "other");
                if (!other || w.other == w.id)
                    Fail(at, "names no other weld of the model (" + std::to_string(w.other) + ")");
                if (!other->subWeldings.empty())
                    Fail(at, "names a weld that keeps a symbol of its own");
            }
        }
        if (const json* standard = Optional(root, "standard")) {
            model.standard = String(*standard, "standard");
            bool known = false;
            for (const char* s : kStandards)
                known = known || model.standard == s;
            if (!known)
                Fail("standard", "unknown standard " + Quoted(model.standard) +
                                     " (expected ANSI, BSI, DIN, GB, ISO or JIS)");
        }
        if (const json* resources = Optional(root, "resources"))
            model.sketches = ReadResources(*resources, "resources");
        const json& sheets = Array(Required(root, "", "sheets"), "sheets");
        if (sheets.empty()) Fail("sheets", "a model needs at least one sheet");
        std::map<std::string, size_t> names;
        for (size_t i = 0; i < sheets.size(); ++i) {
            const std::string path = Element("sheets", i);
            model.sheets.push_back(ReadSheet(sheets[i], path));
            const std::string& name = model.sheets.back().name;
            Unique(names, name, i, Member(path, "name"), "sheet name " + Quoted(name), "sheets");
        }
        return model;
    }

private:
    int64_t m_version = 1;
    bool m_hasAssembly = false;
    std::vector<DLxModelWeld> m_welds;

    static UTxString16 Text(const json& obj, const std::string& path, const char* key) {
        const json* v = Optional(obj, key);
        return v ? UTx::MakeWideString(String(*v, Member(path, key))) : UTxString16();
    }
    static int32_t InRange(const json& obj, const std::string& path, const char* key, int32_t low,
                           int32_t high, bool required = false) {
        const json* v = required ? &Required(obj, path, key) : Optional(obj, key);
        if (!v) return 0;
        const int32_t n = Int32(*v, Member(path, key));
        if (n < low || n > high)
            Fail(Member(path, key), "must be " + std::to_string(low) + " to " +
                                        std::to_string(high) + ", found " + std::to_string(n));
        return n;
    }

    static DUxCWeld ReadModelWeldSide(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path, {"type", "contour", "prefix", "size", "depth", "length", "pitch",
                              "angle", "rootOpening"});
        DUxCWeld w;
        w.setWeldType(uint32_t(InRange(v, path, "type", 1, int32_t(DUxCWeld::kLastType), true)),
                      0);
        w.contourType = InRange(v, path, "contour", 0, DUxCWeld::kConcave);
        w.prefix = Text(v, path, "prefix");
        static const char* const fields[DUxCWeld::kFields] = {"size",  "depth", "length",
                                                              "pitch", "angle", "rootOpening"};
        for (int32_t f = 0; f < DUxCWeld::kFields; ++f)
            w.values[size_t(f)] = Text(v, path, fields[f]);
        return w;
    }

    DLxModelWeld ReadWeld(const json& v, const std::string& path) {
        Object(v, path);
        if (m_version >= 4)
            OnlyMembers(v, path, {"id", "reverse", "subWeldings", "other", "cosmetic"});
        else
            OnlyMembers(v, path, {"id", "reverse", "subWeldings"});
        DLxModelWeld weld;
        weld.id = InRange(v, path, "id", 1, INT32_MAX, true);
        if (const json* reverse = Optional(v, "reverse"))
            weld.reverse = Bool(*reverse, Member(path, "reverse"));
        weld.other = InRange(v, path, "other", 1, INT32_MAX);
        if (const json* cosmetic = Optional(v, "cosmetic"))
            weld.cosmetic = Bool(*cosmetic, Member(path, "cosmetic"));
        const std::string list = Member(path, "subWeldings");
        static const json kNone = json::array();
        const json& subs = m_version >= 4 && !Optional(v, "subWeldings")
                               ? kNone
                               : Array(Required(v, path, "subWeldings"), list);
        if (subs.empty() && m_version < 4) Fail(list, "needs at least one sub-welding");
        for (size_t i = 0; i < subs.size(); ++i) {
            const std::string at = Element(list, i);
            const json& s = Object(subs[i], at);
            OnlyMembers(s, at, {"arrow", "other", "field", "allAround", "tail", "notes"});
            DUxCSubWelding sub;
            for (const char* side : {"arrow", "other"})
                if (const json* w = Optional(s, side)) {
                    const DUxCWeld weldSide = ReadModelWeldSide(*w, Member(at, side));
                    if (side[0] == 'a')
                        sub.setWeldOnArrowSide(&weldSide, true);
                    else
                        sub.setWeldOnOtherSide(&weldSide, true);
                }
            sub.fieldWeldType = InRange(s, at, "field", 0, 2);
            sub.areaDescType = InRange(s, at, "allAround", 0, 4);
            if (const json* tail = Optional(s, "tail")) sub.closedTail = Bool(*tail, Member(at, "tail"));
            sub.notes = Text(s, at, "notes");
            weld.subWeldings.push_back(sub);
        }
        return weld;
    }
    // Checks the edges' occurrence paths against the model's assembly.
    std::unique_ptr<DLxAssemblyCheck> m_paths;

    static std::string TypeOf(const json& v) {
        const std::string t = v.type_name();
        return (t == "array" || t == "object" ? "an " : "a ") + t;
    }

    static const json& Required(const json& obj, const std::string& path, const char* key) {
        auto it = obj.find(key);
        if (it == obj.end()) Fail(Member(path, key), "is missing");
        return *it;
    }
    static const json* Optional(const json& obj, const char* key) {
        auto it = obj.find(key);
        return it == obj.end() ? nullptr : &*it;
    }
    static void OnlyMembers(const json& obj, const std::string& path,
                            std::initializer_list<const char*> known) {
        for (auto it = obj.begin(); it != obj.end(); ++it) {
            bool ok = false;
            for (const char* k : known)
                ok = ok || it.key() == k;
            if (!ok) Fail(Member(path, it.key()), "is not a member this format knows");
        }
    }
    // A second use of a name or id: the fault is at the second. `what` names the value.
    static void Unique(std::map<std::string, size_t>& seen, const std::string& key, size_t index,
                       const std::string& path, const std::string& what, const std::string& list) {
        auto [it, added] = seen.emplace(key, index);
        if (!added) Fail(path, "duplicate " + what + " (also " + Element(list, it->second) + ")");
    }

    static const json& Object(const json& v, const std::string& path) {
        if (!v.is_object()) Fail(path, "expected an object, found " + TypeOf(v));
        return v;
    }
    static const json& Array(const json& v, const std::string& path) {
        if (!v.is_array()) Fail(path, "expected an array, found " + TypeOf(v));
        return v;
    }
    static std::string String(const json& v, const std::string& path) {
        if (!v.is_string()) Fail(path, "expected a string, found " + TypeOf(v));
        return v.get<std::string>();
    }
    static std::string Name(const json& v, const std::string& path) {
        std::string s = String(v, path);
        if (s.empty()) Fail(path, "must not be empty");
        return s;
    }
    static double Number(const json& v, const std::string& path) {
        if (!v.is_number()) Fail(path, "expected a number, found " + TypeOf(v));
        const double d = v.get<double>();
        if (!std::isfinite(d)) Fail(path, "must be a finite number");
        return d;
    }
    static double Positive(const json& v, const std::string& path) {
        const double d = Number(v, path);
        if (d <= 0.0) Fail(path, "must be greater than 0, found " + v.dump());
        return d;
    }
    static int64_t Integer(const json& v, const std::string& path) {
        if (v.is_number_unsigned()) {
            // Out of any range we accept; keep it recognisable in the message.
            const uint64_t u = v.get<uint64_t>();
            return u > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(u);
        }
        if (!v.is_number_integer()) Fail(path, "expected an integer, found " + TypeOf(v));
        return v.get<int64_t>();
    }
    static int32_t Int32(const json& v, const std::string& path) {
        const int64_t i = Integer(v, path);
        if (i < INT32_MIN || i > INT32_MAX)
            Fail(path, "must be a 32-bit integer, found " + v.dump());
        return int32_t(i);
    }
    static bool Bool(const json& v, const std::string& path) {
        if (!v.is_boolean()) Fail(path, "expected true or false, found " + TypeOf(v));
        return v.get<bool>();
    }
    static std::u16string Text(const json& v, const std::string& path) {
        return UTx::MakeWideString(String(v, path));
    }
    static std::vector<std::u16string> Texts(const json& v, const std::string& path) {
        Array(v, path);
        std::vector<std::u16string> out;
        out.reserve(v.size());
        for (size_t i = 0; i < v.size(); ++i)
            out.push_back(Text(v[i], Element(path, i)));
        return out;
    }

    // Types and shapes here; what makes the assembly sound (ids, references, quantities,
    // cycles) is DLxAssemblyCheck's, shared with stored drawings.
    static DLxAssemblyData ReadAssembly(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path, {"root", "components", "occurrences", "bomScheme"});
        DLxAssemblyData data;
        const json& root = Required(v, path, "root");
        data.root = Int32(root, Member(path, "root"));
        if (data.root <= 0)
            Fail(Member(path, "root"), "must be a component's id, found " + root.dump());
        const std::string components = Member(path, "components");
        const json& list = Array(Required(v, path, "components"), components);
        data.components.reserve(list.size());
        for (size_t i = 0; i < list.size(); ++i)
            data.components.push_back(ReadComponent(list[i], Element(components, i)));
        if (const json* occurrences = Optional(v, "occurrences")) {
            const std::string at = Member(path, "occurrences");
            Array(*occurrences, at);
            data.occurrences.reserve(occurrences->size());
            for (size_t i = 0; i < occurrences->size(); ++i)
                data.occurrences.push_back(ReadOccurrence((*occurrences)[i], Element(at, i)));
        }
        if (const json* scheme = Optional(v, "bomScheme"))
            data.scheme = ReadScheme(*scheme, Member(path, "bomScheme"));
        return data;
    }

    static DLxAssemblyComponent ReadComponent(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path,
                    {"id", "kind", "name", "path", "partNumber", "description", "material",
                     "vendor", "mass", "purchased", "standardPart", "properties", "representations",
                     "familyTable"});
        DLxAssemblyComponent c;
        c.id = Int32(Required(v, path, "id"), Member(path, "id"));
        const std::string kindPath = Member(path, "kind");
        const std::string kind = String(Required(v, path, "kind"), kindPath);
        if (kind == "part")
            c.kind = DLxAssemblyComponent::Kind::Part;
        else if (kind == "assembly")
            c.kind = DLxAssemblyComponent::Kind::Assembly;
        else
            Fail(kindPath, "unknown kind " + Quoted(kind) + " (expected part or assembly)");
        c.name = UTx::MakeWideString(Name(Required(v, path, "name"), Member(path, "name")));
        c.path = UTx::MakeWideString(Name(Required(v, path, "path"), Member(path, "path")));
        const std::pair<const char*, std::u16string*> texts[] = {
            {"partNumber", &c.partNumber},
            {"description", &c.description},
            {"material", &c.material},
            {"vendor", &c.vendor},
        };
        for (const auto& [key, field] : texts)
            if (const json* t = Optional(v, key)) *field = Text(*t, Member(path, key));
        if (const json* mass = Optional(v, "mass")) {
            c.mass = Number(*mass, Member(path, "mass"));
            c.hasMass = true;
        }
        if (const json* b = Optional(v, "purchased"))
            c.purchased = Bool(*b, Member(path, "purchased"));
        if (const json* b = Optional(v, "standardPart"))
            c.standardPart = Bool(*b, Member(path, "standardPart"));
        if (const json* properties = Optional(v, "properties")) {
            const std::string at = Member(path, "properties");
            Array(*properties, at);
            for (size_t i = 0; i < properties->size(); ++i) {
                const std::string p = Element(at, i);
                const json& property = Object((*properties)[i], p);
                OnlyMembers(property, p, {"name", "value"});
                c.userProperties.push_back(
                    {Text(Required(property, p, "name"), Member(p, "name")),
                     Text(Required(property, p, "value"), Member(p, "value"))});
            }
        }
        if (const json* reps = Optional(v, "representations"))
            c.representations = Texts(*reps, Member(path, "representations"));
        if (const json* family = Optional(v, "familyTable")) {
            const std::string at = Member(path, "familyTable");
            Object(*family, at);
            OnlyMembers(*family, at, {"members", "active"});
            c.isFactory = true;
            c.factoryMembers = Texts(Required(*family, at, "members"), Member(at, "members"));
            c.activeMember = Text(Required(*family, at, "active"), Member(at, "active"));
        }
        return c;
    }

    static DLxAssemblyOccurrence ReadOccurrence(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path, {"id", "parent", "component", "quantity"});
        DLxAssemblyOccurrence o;
        o.id = Int32(Required(v, path, "id"), Member(path, "id"));
        o.parent = Int32(Required(v, path, "parent"), Member(path, "parent"));
        o.component = Int32(Required(v, path, "component"), Member(path, "component"));
        if (const json* q = Optional(v, "quantity"))
            o.quantity = Int32(*q, Member(path, "quantity"));
        return o;
    }

    static DLxAssemblyBOMScheme ReadScheme(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path,
                    {"structured", "partsOnly", "structuredAllLevels", "structuredFormat",
                     "delimiter", "partsOnlyFormat", "updatePending"});
        DLxAssemblyBOMScheme scheme;
        const std::pair<const char*, bool*> flags[] = {
            {"structured", &scheme.structuredEnabled},
            {"partsOnly", &scheme.partsOnlyEnabled},
            {"structuredAllLevels", &scheme.structuredAllLevels},
            {"updatePending", &scheme.updatePending},
        };
        for (const auto& [key, field] : flags)
            if (const json* b = Optional(v, key)) *field = Bool(*b, Member(path, key));
        if (const json* f = Optional(v, "structuredFormat"))
            scheme.structuredFormat = Int32(*f, Member(path, "structuredFormat"));
        if (const json* f = Optional(v, "partsOnlyFormat"))
            scheme.partsOnlyFormat = Int32(*f, Member(path, "partsOnlyFormat"));
        if (const json* d = Optional(v, "delimiter"))
            scheme.structuredDelimiter = Text(*d, Member(path, "delimiter"));
        return scheme;
    }

    static WqGeVector3d Triple(const json& v, const std::string& path) {
        if (!v.is_array() || v.size() != 3)
            Fail(path, "expected [x, y, z], found " +
                           (v.is_array() ? "an array of " + std::to_string(v.size()) : TypeOf(v)));
        return {Number(v[0], Element(path, 0)), Number(v[1], Element(path, 1)),
                Number(v[2], Element(path, 2))};
    }
    static WqGePoint3d Point(const json& v, const std::string& path) {
        const WqGeVector3d t = Triple(v, path);
        return {t.x, t.y, t.z};
    }
    static WqGeVector3d Direction(const json& v, const std::string& path) {
        const WqGeVector3d d = Triple(v, path);
        if (d.isZeroLength()) Fail(path, "must not be the zero vector");
        return d;
    }

    static WqGePoint3d Point2(const json& v, const std::string& path) {
        if (!v.is_array() || v.size() != 2)
            Fail(path, "expected [x, y], found " +
                           (v.is_array() ? "an array of " + std::to_string(v.size()) : TypeOf(v)));
        return {Number(v[0], Element(path, 0)), Number(v[1], Element(path, 1)), 0.0};
    }
    // The members of a list of objects, each read by `one`.
    template <class F>
    static void EachObject(const json& obj, const std::string& path, const char* key,
                           std::initializer_list<const char*> members, F one) {
        const json* list = Optional(obj, key);
        if (!list) return;
        const std::string at = Member(path, key);
        Array(*list, at);
        for (size_t i = 0; i < list->size(); ++i) {
            const std::string p = Element(at, i);
            Object((*list)[i], p);
            OnlyMembers((*list)[i], p, members);
            one((*list)[i], p);
        }
    }

    static std::vector<SketchData> ReadResources(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path, {"sketches"});
        std::vector<SketchData> sketches;
        std::map<std::string, size_t> names;
        const std::string list = Member(path, "sketches");
        EachObject(v, path, "sketches",
                   {"name", "insert", "lines", "arcs", "circles", "texts", "images",
                    "connections"},
                   [&](const json& o, const std::string& p) {
                       sketches.push_back(ReadSketch(o, p));
                       Unique(names, sketches.back().name, sketches.size() - 1,
                              Member(p, "name"), "sketch name " + Quoted(sketches.back().name),
                              list);
                   });
        return sketches;
    }

    static SketchData ReadSketch(const json& v, const std::string& path) {
        SketchData sketch;
        sketch.name = Name(Required(v, path, "name"), Member(path, "name"));
        if (const json* insert = Optional(v, "insert"))
            sketch.insert = Point2(*insert, Member(path, "insert"));
        if (const json* lines = Optional(v, "lines")) {
            const std::string at = Member(path, "lines");
            Array(*lines, at);
            for (size_t i = 0; i < lines->size(); ++i) {
                const std::string p = Element(at, i);
                const json& ends = (*lines)[i];
                if (!ends.is_array() || ends.size() != 2)
                    Fail(p, "expected [[x, y], [x, y]]");
                DLxSketch::Curve line;
                line.start = Point2(ends[0], Element(p, 0));
                line.end = Point2(ends[1], Element(p, 1));
                if (line.start == line.end) Fail(p, "a line needs two distinct ends");
                sketch.curves.push_back(line);
            }
        }
        EachObject(v, path, "arcs", {"center", "radius", "start", "end"},
                   [&](const json& o, const std::string& p) {
                       DLxSketch::Curve arc;
                       arc.kind = DLxSketch::Curve::kArc;
                       arc.centre = Point2(Required(o, p, "center"), Member(p, "center"));
                       arc.radius = Positive(Required(o, p, "radius"), Member(p, "radius"));
                       arc.startAngle = Number(Required(o, p, "start"), Member(p, "start")) * kDegree;
                       arc.endAngle = Number(Required(o, p, "end"), Member(p, "end")) * kDegree;
                       sketch.curves.push_back(arc);
                   });
        EachObject(v, path, "circles", {"center", "radius"},
                   [&](const json& o, const std::string& p) {
                       DLxSketch::Curve circle;
                       circle.kind = DLxSketch::Curve::kCircle;
                       circle.centre = Point2(Required(o, p, "center"), Member(p, "center"));
                       circle.radius = Positive(Required(o, p, "radius"), Member(p, "radius"));
                       sketch.curves.push_back(circle);
                   });
        EachObject(v, path, "texts", {"text", "at", "height", "prompt"},
                   [&](const json& o, const std::string& p) {
                       DLxSketch::Text text;
                       text.text = Text(Required(o, p, "text"), Member(p, "text"));
                       text.position = Point2(Required(o, p, "at"), Member(p, "at"));
                       if (const json* h = Optional(o, "height"))
                           text.height = Positive(*h, Member(p, "height"));
                       if (const json* prompt = Optional(o, "prompt")) {
                           text.prompt = Text(*prompt, Member(p, "prompt"));
                           text.prompted = true;
                       }
                       sketch.texts.push_back(text);
                   });
        EachObject(v, path, "images", {"name", "from", "to"},
                   [&](const json& o, const std::string& p) {
                       const WqGePoint3d a = Point2(Required(o, p, "from"), Member(p, "from"));
                       const WqGePoint3d b = Point2(Required(o, p, "to"), Member(p, "to"));
                       if (a.x == b.x || a.y == b.y)
                           Fail(p, "an image needs two corners apart in x and in y");
                       DLxSketch::Image image;
                       image.name = Text(Required(o, p, "name"), Member(p, "name"));
                       image.lowerLeft = {std::min(a.x, b.x), std::min(a.y, b.y), 0};
                       image.upperRight = {std::max(a.x, b.x), std::max(a.y, b.y), 0};
                       sketch.images.push_back(image);
                   });
        if (const json* points = Optional(v, "connections")) {
            const std::string at = Member(path, "connections");
            Array(*points, at);
            for (size_t i = 0; i < points->size(); ++i)
                sketch.connections.push_back(Point2((*points)[i], Element(at, i)));
        }
        return sketch;
    }

    SheetData ReadSheet(const json& v, const std::string& path) {
        Object(v, path);
        if (m_version >= 2)
            OnlyMembers(v, path, {"name", "width", "height", "views", "partsLists"});
        else
            OnlyMembers(v, path, {"name", "width", "height", "views"});
        SheetData sheet;
        sheet.name = Name(Required(v, path, "name"), Member(path, "name"));
        sheet.width = Positive(Required(v, path, "width"), Member(path, "width"));
        sheet.height = Positive(Required(v, path, "height"), Member(path, "height"));
        if (const json* views = Optional(v, "views")) {
            const std::string list = Member(path, "views");
            Array(*views, list);
            std::map<std::string, size_t> names;
            for (size_t i = 0; i < views->size(); ++i) {
                const std::string at = Element(list, i);
                sheet.views.push_back(ReadView((*views)[i], at));
                const std::string& name = sheet.views.back().name;
                Unique(names, name, i, Member(at, "name"), "view name " + Quoted(name), list);
            }
        }
        if (const json* lists = Optional(v, "partsLists")) {
            const std::string list = Member(path, "partsLists");
            Array(*lists, list);
            if (!lists->empty() && !m_hasAssembly)
                Fail(list, "a parts list needs the model's assembly");
            for (size_t i = 0; i < lists->size(); ++i)
                sheet.partsLists.push_back(ReadPartsList((*lists)[i], Element(list, i)));
        }
        return sheet;
    }

    PartsListData ReadPartsList(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path, {"origin", "title"});
        PartsListData data;
        const std::string originPath = Member(path, "origin");
        const json& origin = Required(v, path, "origin");
        if (!origin.is_array() || origin.size() != 2)
            Fail(originPath, "expected [x, y], found " +
                                 (origin.is_array() ? "an array of " + std::to_string(origin.size())
                                                    : TypeOf(origin)));
        data.x = Number(origin[0], Element(originPath, 0));
        data.y = Number(origin[1], Element(originPath, 1));
        if (const json* title = Optional(v, "title")) {
            data.hasTitle = true;
            data.title = String(*title, Member(path, "title"));
        }
        return data;
    }

    ViewData ReadView(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(
            v, path,
            {"name", "scale", "center", "orientation", "rotation", "origin", "edges", "breaks"});
        ViewData view;
        view.name = Name(Required(v, path, "name"), Member(path, "name"));
        view.scale = Positive(Required(v, path, "scale"), Member(path, "scale"));
        const std::string centerPath = Member(path, "center");
        const json& center = Required(v, path, "center");
        if (!center.is_array() || center.size() != 2)
            Fail(centerPath, "expected [x, y], found " +
                                 (center.is_array() ? "an array of " + std::to_string(center.size())
                                                    : TypeOf(center)));
        view.center = WqGePoint3d(Number(center[0], Element(centerPath, 0)),
                                  Number(center[1], Element(centerPath, 1)), 0.0);
        ReadOrientation(Required(v, path, "orientation"), Member(path, "orientation"), view);
        if (const json* rotation = Optional(v, "rotation"))
            view.rotation = Number(*rotation, Member(path, "rotation")) * kDegree;
        if (const json* origin = Optional(v, "origin"))
            view.origin = Point(*origin, Member(path, "origin"));
        if (const json* edges = Optional(v, "edges")) {
            const std::string list = Member(path, "edges");
            Array(*edges, list);
            std::map<std::string, size_t> ids;
            for (size_t i = 0; i < edges->size(); ++i) {
                const std::string at = Element(list, i);
                view.edges.push_back(ReadEdge((*edges)[i], at));
                const std::string id = std::to_string(view.edges.back().id);
                Unique(ids, id, i, Member(at, "id"), "edge id " + id, list);
            }
        }
        if (const json* breaks = Optional(v, "breaks")) {
            const std::string list = Member(path, "breaks");
            Array(*breaks, list);
            for (size_t i = 0; i < breaks->size(); ++i)
                view.breaks.push_back(ReadBreak((*breaks)[i], Element(list, i)));
            const auto [at, earlier] = DLxViewBreak::FirstOverlap(view.breaks);
            if (at >= 0)
                Fail(Element(list, size_t(at)), "overlaps " + Element(list, size_t(earlier)));
        }
        return view;
    }

    static DLxViewBreak ReadBreak(const json& v, const std::string& path) {
        Object(v, path);
        OnlyMembers(v, path, {"direction", "from", "to"});
        DLxViewBreak b;
        const std::string directionPath = Member(path, "direction");
        const std::string direction = String(Required(v, path, "direction"), directionPath);
        if (direction == "horizontal")
            b.direction = DLxViewBreak::kHorizontal;
        else if (direction == "vertical")
            b.direction = DLxViewBreak::kVertical;
        else
            Fail(directionPath,
                 "unknown direction " + Quoted(direction) + " (expected horizontal or vertical)");
        b.from = Number(Required(v, path, "from"), Member(path, "from"));
        b.to = Number(Required(v, path, "to"), Member(path, "to"));
        if (!(b.from < b.to)) Fail(Member(path, "to"), "must be greater than from");
        return b;
    }

    static void ReadOrientation(const json& v, const std::string& path, ViewData& view) {
        if (v.is_string()) {
            const std::string name = v.get<std::string>();
            for (const NamedOrientation& o : kOrientations)
                if (name == o.name) {
                    view.direction = o.direction;
                    view.up = o.up;
                    return;
                }
            Fail(path, "unknown orientation " + Quoted(name) +
                           " (expected front, back, top, bottom, left, right, isometric or "
                           "{\"direction\": [x, y, z], \"up\": [x, y, z]})");
        }
        if (!v.is_object()) Fail(path, "expected a name or an object, found " + TypeOf(v));
        OnlyMembers(v, path, {"direction", "up"});
        view.direction = Direction(Required(v, path, "direction"), Member(path, "direction"));
        view.up = Direction(Required(v, path, "up"), Member(path, "up"));
        if (view.up.isParallelTo(view.direction))
            Fail(Member(path, "up"), "must not lie along the direction");
    }

    DLxViewEdge ReadEdge(const json& v, const std::string& path) const {
        DLxViewEdge edge = ReadEdgeGeometry(v, path);
        if (const json* occurrence = Optional(v, "occurrence")) {
            const std::string at = Member(path, "occurrence");
            Array(*occurrence, at);
            for (size_t i = 0; i < occurrence->size(); ++i)
                edge.occurrence.push_back(Int32((*occurrence)[i], Element(at, i)));
            const std::string fault = m_paths->CheckPath(edge.occurrence);
            if (!fault.empty()) Fail(at, fault);
        }
        if (const json* weld = Optional(v, "weld")) {
            const std::string at = Member(path, "weld");
            edge.weld = Int32(*weld, at);
            const DLxModelWeld* w = FindWeld(edge.weld);
            if (!w) Fail(at, "names no weld of the model (" + std::to_string(edge.weld) + ")");
            if (w->cosmetic) Fail(at, "names a cosmetic weld, which has no bead");
        }
        if (const json* cosmetic = Optional(v, "cosmeticWelds")) {
            const std::string list = Member(path, "cosmeticWelds");
            Array(*cosmetic, list);
            for (size_t i = 0; i < cosmetic->size(); ++i) {
                const std::string at = Element(list, i);
                const json& c = Object((*cosmetic)[i], at);
                OnlyMembers(c, at, {"weld", "intervals"});
                DLxEdgeWeldData data;
                data.weld = Int32(Required(c, at, "weld"), Member(at, "weld"));
                const DLxModelWeld* w = FindWeld(data.weld);
                if (!w || !w->cosmetic)
                    Fail(Member(at, "weld"),
                         "names no cosmetic weld of the model (" + std::to_string(data.weld) + ")");
                const std::string iat = Member(at, "intervals");
                const json& intervals = Array(Required(c, at, "intervals"), iat);
                if (intervals.empty() || intervals.size() % 2 != 0)
                    Fail(iat, "expected pairs of edge parameters");
                for (size_t k = 0; k < intervals.size(); ++k)
                    data.intervals.push_back(Number(intervals[k], Element(iat, k)));
                edge.cosmeticWelds.push_back(data);
            }
        }
        return edge;
    }

    const DLxModelWeld* FindWeld(int32_t id) const {
        for (const DLxModelWeld& w : m_welds)
            if (w.id == id) return &w;
        return nullptr;
    }

    DLxViewEdge ReadEdgeGeometry(const json& v, const std::string& path) const {
        Object(v, path);
        if (m_version >= 4)
            OnlyMembers(v, path,
                        {"id", "line", "arc", "circle", "occurrence", "weld", "cosmeticWelds"});
        else if (m_version >= 3)
            OnlyMembers(v, path, {"id", "line", "arc", "circle", "occurrence", "weld"});
        else if (m_version >= 2)
            OnlyMembers(v, path, {"id", "line", "arc", "circle", "occurrence"});
        else
            OnlyMembers(v, path, {"id", "line", "arc", "circle"});
        const std::string idPath = Member(path, "id");
        const json& idValue = Required(v, path, "id");
        const int64_t id = Integer(idValue, idPath);
        if (id < 1 || id > INT32_MAX)
            Fail(idPath, "must be a positive 32-bit integer, found " + idValue.dump());
        const json* line = Optional(v, "line");
        const json* arc = Optional(v, "arc");
        const json* circle = Optional(v, "circle");
        if ((line != nullptr) + (arc != nullptr) + (circle != nullptr) != 1)
            Fail(path, "an edge needs exactly one of line, arc and circle");

        if (line) {
            const std::string at = Member(path, "line");
            if (!line->is_array() || line->size() != 2) Fail(at, "expected [[x, y, z], [x, y, z]]");
            const WqGePoint3d a = Point((*line)[0], Element(at, 0));
            const WqGePoint3d b = Point((*line)[1], Element(at, 1));
            if (a.isEqualTo(b)) Fail(at, "the line's ends coincide");
            return DLxViewEdge::Line(int32_t(id), a, b);
        }
        const bool isArc = arc != nullptr;
        const std::string at = Member(path, isArc ? "arc" : "circle");
        const json& g = Object(isArc ? *arc : *circle, at);
        if (isArc)
            OnlyMembers(g, at, {"center", "normal", "radius", "start", "end", "reference"});
        else
            OnlyMembers(g, at, {"center", "normal", "radius"});
        const WqGePoint3d center = Point(Required(g, at, "center"), Member(at, "center"));
        const WqGeVector3d normal = Direction(Required(g, at, "normal"), Member(at, "normal"));
        const double radius = Positive(Required(g, at, "radius"), Member(at, "radius"));
        double start = 0.0, end = 2.0 * std::numbers::pi;
        WqGeVector3d reference;
        if (isArc) {
            start = Number(Required(g, at, "start"), Member(at, "start")) * kDegree;
            end = Number(Required(g, at, "end"), Member(at, "end")) * kDegree;
            if (const json* ref = Optional(g, "reference")) {
                reference = Direction(*ref, Member(at, "reference"));
                if (reference.isParallelTo(normal))
                    Fail(Member(at, "reference"), "must not lie along the normal");
            }
        }
        DLxViewEdge edge =
            DLxViewEdge::Arc(int32_t(id), center, normal, radius, start, end, reference);
        if (!(edge.Sweep() > 0.0)) Fail(Member(at, "end"), "the arc has no sweep (end = start)");
        return edge;
    }
};

// Where a text stops being JSON, as a path in the model. It walks the text again, building
// nothing, only after a parse failed: a parse that reported every element to a callback would
// make the library walk each array again at each element's end.
class PathTracker : public json::json_sax_t {
public:
    bool null() override { return Advance(); }
    bool boolean(bool) override { return Advance(); }
    bool number_integer(number_integer_t) override { return Advance(); }
    bool number_unsigned(number_unsigned_t) override { return Advance(); }
    bool number_float(number_float_t, const string_t&) override { return Advance(); }
    bool string(string_t&) override { return Advance(); }
    bool binary(binary_t&) override { return Advance(); }
    bool start_object(std::size_t) override {
        m_frames.push_back({false, 0, {}});
        return true;
    }
    bool key(string_t& key) override {
        m_frames.back().key = key;
        return true;
    }
    bool end_object() override { return End(); }
    bool start_array(std::size_t) override {
        m_frames.push_back({true, 0, {}});
        return true;
    }
    bool end_array() override { return End(); }
    bool parse_error(std::size_t, const std::string&, const json::exception&) override {
        return false;
    }

    std::string Path() const {
        std::string path;
        for (const Frame& f : m_frames)
            path = f.array ? Element(path, f.count) : f.key.empty() ? path : Member(path, f.key);
        return path;
    }

private:
    bool Advance() {
        if (!m_frames.empty() && m_frames.back().array) ++m_frames.back().count;
        return true;
    }
    bool End() {
        m_frames.pop_back();
        return Advance();
    }
    struct Frame {
        bool array;
        size_t count;
        std::string key;
    };
    std::vector<Frame> m_frames;
};

std::string PathOfFault(const std::string& text) {
    PathTracker tracker;
    json::sax_parse(text, &tracker);
    return tracker.Path();
}

// The welds a view's edges name, in the model's order.
// The welds the view's edges name, with the welds paired with them (a symbol on either side's
// bead shows the pair).
std::vector<DLxModelWeld> WeldsOf(const ModelData& model, const ViewData& view) {
    auto named = [&](int32_t id) {
        for (const DLxViewEdge& e : view.edges) {
            if (e.weld == id) return true;
            for (const DLxEdgeWeldData& d : e.cosmeticWelds)
                if (d.weld == id) return true;
        }
        return false;
    };
    std::vector<DLxModelWeld> welds;
    for (const DLxModelWeld& w : model.welds) {
        bool paired = false;
        for (const DLxModelWeld& p : model.welds)
            paired = paired || (p.other == w.id && named(p.id)) || (w.other == p.id && named(p.id));
        if (named(w.id) || paired) welds.push_back(w);
    }
    return welds;
}

std::unique_ptr<DLxDrawingDoc> Build(const ModelData& model) {
    auto doc = std::make_unique<DLxDrawingDoc>();
    doc->GetDrawing()->SetStandardName(UTx::MakeWideString(model.standard));
    if (!doc->SetAssembly(model.assembly)) Fail("assembly", "the assembly cannot be kept");
    // The reader found the names unique: the sheets are made together, without a search of
    // the sheets made so far for each.
    std::vector<DLxDrawingDoc::SheetSpec> specs;
    specs.reserve(model.sheets.size());
    for (const SheetData& s : model.sheets)
        specs.push_back({UTx::MakeWideString(s.name), s.width, s.height});
    const std::vector<DLxSheet*> sheets = doc->CreateSheets(specs);
    if (sheets.size() != specs.size()) Fail("sheets", "the sheets cannot be made");
    for (size_t i = 0; i < model.sheets.size(); ++i) {
        const SheetData& s = model.sheets[i];
        DLxSheet* sheet = sheets[i];
        for (size_t j = 0; j < s.views.size(); ++j) {
            const ViewData& v = s.views[j];
            DLxViewInstance* view = sheet->CreateView(UTx::MakeWideString(v.name));
            const bool made = view && view->SetViewScale(v.scale) &&
                              view->SetViewCenter(v.center) && view->SetModelOrigin(v.origin) &&
                              view->SetOrientation(v.direction, v.up, v.rotation) &&
                              view->SetEdges(v.edges) && view->SetBreaks(v.breaks) &&
                              view->SetModelWelds(WeldsOf(model, v));
            if (!made)
                Fail(Element(Member(Element("sheets", i), "views"), j), "the view cannot be made");
        }
        for (const PartsListData& p : s.partsLists)
            doc->AddPartsListPlacement({sheet, p.x, p.y, p.hasTitle, UTx::MakeWideString(p.title)});
    }
    for (size_t i = 0; i < model.sketches.size(); ++i) {
        const SketchData& k = model.sketches[i];
        DLxSketch* sketch = DLxSketch::Create(doc.get(), UTx::MakeWideString(k.name));
        if (!sketch) Fail(Element("resources.sketches", i), "the sketch cannot be made");
        sketch->SetInsertPoint(k.insert);
        for (const DLxSketch::Curve& c : k.curves)
            sketch->AddCurve(c);
        for (const DLxSketch::Text& t : k.texts)
            sketch->AddText(t);
        for (const DLxSketch::Image& image : k.images)
            sketch->AddImage(image);
        for (const WqGePoint3d& p : k.connections)
            sketch->AddConnectionPoint(p);
    }
    return doc;
}

std::string WithoutPrefix(const char* what) {
    // nlohmann's texts start with "[json.exception.<kind>.<id>] ".
    std::string s(what);
    if (!s.empty() && s[0] == '[') {
        const size_t close = s.find("] ");
        if (close != std::string::npos) s.erase(0, close + 2);
    }
    return s;
}

UTxResult Failure(const std::string& name, const Fault& f) {
    std::string text = name + ": ";
    if (!f.path.empty()) text += f.path + ": ";
    text += f.what;
    return UTxResult(f.code, UTx::MakeWideString(text));
}
} // namespace

UTxResult DLxModelFile::LoadFromString(const std::string& text, const std::string& name,
                                       std::unique_ptr<DLxDrawingDoc>& out) {
    out.reset();
    json root;
    try {
        root = json::parse(text);
    } catch (const json::out_of_range& e) {
        // The only range fault of the parser: a number too large for a double.
        return Failure(name, {kDLxErrModelInvalid, PathOfFault(text),
                              "is not a finite number (" + WithoutPrefix(e.what()) + ")"});
    } catch (const json::exception& e) {
        return Failure(name, {kDLxErrModelSyntax, PathOfFault(text),
                              "not valid JSON: " + WithoutPrefix(e.what())});
    }
    try {
        ModelData model = Reader().Read(root);
        out = Build(model);
    } catch (const Fault& f) {
        out.reset();
        return Failure(name, f);
    }
    return {};
}

UTxResult DLxModelFile::Load(const std::string& path, std::unique_ptr<DLxDrawingDoc>& out) {
    out.reset();
    // A folder opens as a stream that reads nothing: say what it is rather than "not JSON".
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Failure(path, {kDLxErrModelRead, "", "is a folder"});
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure(path, {kDLxErrModelRead, "", std::strerror(errno)});
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return Failure(path, {kDLxErrModelRead, "", "reading failed"});
    return LoadFromString(text.str(), path, out);
}
