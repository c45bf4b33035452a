// Model files, version 1. A model file is one JSON object:
//
//   {
//     "format": "korvu-model",          required, exactly this
//     "version": 1,                     required integer; other versions are refused
//     "standard": "ISO",                optional: ANSI, BSI, DIN, GB, ISO or JIS (default ISO)
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
//               {"id": 3, "circle": {"center": [x,y,z], "normal": [x,y,z], "radius": r}}
//             ],
//             "breaks": [               optional (default none): bands the view leaves out
//               {"direction": "horizontal", "from": x1, "to": x2}
//             ]
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
// Members other than these are refused, so that a misspelt optional member does not pass
// unnoticed. Later versions add members (the assembly and its bill of materials at the top,
// weld beads in the views) and keep these: a version 1 file stays a valid file of every later
// version, and a reader refuses versions newer than its own.
#include "dl/DLxModelFile.h"

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

#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxErrors.h"
#include "dl/DLxSheet.h"
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
struct SheetData {
    std::string name;
    double width = 0.0;
    double height = 0.0;
    std::vector<ViewData> views;
};
struct ModelData {
    std::string standard = "ISO";
    std::vector<SheetData> sheets;
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
        OnlyMembers(root, "", {"format", "version", "standard", "sheets"});

        ModelData model;
        if (const json* standard = Optional(root, "standard")) {
            model.standard = String(*standard, "standard");
            bool known = false;
            for (const char* s : kStandards)
                known = known || model.standard == s;
            if (!known)
                Fail("standard", "unknown standard " + Quoted(model.standard) +
                                     " (expected ANSI, BSI, DIN, GB, ISO or JIS)");
        }
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

    SheetData ReadSheet(const json& v, const std::string& path) {
        Object(v, path);
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
        return sheet;
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

    static DLxViewEdge ReadEdge(const json& v, const std::string& path) {
        Object(v, path);
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

std::unique_ptr<DLxDrawingDoc> Build(const ModelData& model) {
    auto doc = std::make_unique<DLxDrawingDoc>();
    doc->GetDrawing()->SetStandardName(UTx::MakeWideString(model.standard));
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
                              view->SetEdges(v.edges) && view->SetBreaks(v.breaks);
            if (!made)
                Fail(Element(Member(Element("sheets", i), "views"), j), "the view cannot be made");
        }
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
