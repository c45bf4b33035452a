#include "KorvuInput.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "dc/RDxInstance.h"
#include "dl/DLxDragPicker.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxManipulator.h"
#include "fw/FBxObjectNameKey.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxString16.h"

namespace {
// Splits a line into words; a double-quoted word keeps its spaces (without the quotes).
bool Words(const std::string& line, std::vector<std::string>& out, std::string& why) {
    for (size_t i = 0; i < line.size();) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                why = "a quoted key has no closing quote";
                return false;
            }
            out.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r')
            ++end;
        out.push_back(line.substr(i, end - i));
        i = end;
    }
    return true;
}

bool Point(const std::string& word, WqGePoint3d& p) {
    const size_t comma = word.find(',');
    if (comma == std::string::npos) return false;
    const std::string xs = word.substr(0, comma), ys = word.substr(comma + 1);
    char* end = nullptr;
    const double x = std::strtod(xs.c_str(), &end);
    if (xs.empty() || *end) return false;
    const double y = std::strtod(ys.c_str(), &end);
    if (ys.empty() || *end) return false;
    p = {x, y, 0};
    return true;
}

std::string Text(const WqGePoint3d& p) {
    std::ostringstream s;
    s << '(' << p.x << ',' << p.y << ')';
    return s.str();
}

bool Drag(DLxDrawingDoc& doc, const std::vector<std::string>& w, std::string& why) {
    if (w.size() < 4) {
        why = "'drag' takes a key and at least two points: drag \"KEY\" X,Y -> X,Y";
        return false;
    }
    std::vector<WqGePoint3d> points;
    bool escape = false;
    for (size_t i = 2; i < w.size(); ++i) {
        if (i + 1 == w.size() && w[i] == "esc") {
            escape = true;
            break;
        }
        if (i > 2) {
            if (w[i] != "->" || ++i == w.size()) {
                why = "points of a drag are joined by '->'";
                return false;
            }
        }
        WqGePoint3d p;
        if (!Point(w[i], p)) {
            why = "'" + w[i] + "' is not a point X,Y";
            return false;
        }
        points.push_back(p);
    }
    if (points.size() < 2) {
        why = "a drag needs a point to press and a point to release";
        return false;
    }
    RSeIDed* object = nullptr;
    const UTxResult found =
        FBxObjectNameKey(UTx::MakeWideString(w[1])).FindObject(*doc.GetRSeDb(), &doc, object);
    auto* instance = dynamic_cast<RDxInstance*>(object);
    if (found.Failed() || !instance) {
        why = "no annotation '" + w[1] + "'";
        return false;
    }
    std::unique_ptr<DLxManipulator> m = DLxDragPicker::Create(instance, points.front(), &doc);
    if (!m) {
        why = "nothing of '" + w[1] + "' to drag at " + Text(points.front());
        return false;
    }
    if (!m->StartDrag(points.front())) {
        why = "the drag of '" + w[1] + "' did not start";
        return false;
    }
    for (size_t i = 1; i < points.size(); ++i)
        if (!m->Drag(points[i])) {
            m->CancelDrag();
            why = "the drag of '" + w[1] + "' refused the move to " + Text(points[i]);
            return false;
        }
    if (escape) {
        m->CancelDrag();
        return true;
    }
    if (!m->EndDrag(points.back())) {
        m->CancelDrag();
        why = "the drag of '" + w[1] + "' did not end";
        return false;
    }
    const UTxResult r = m->ProcessRequest(&doc);
    if (r.Failed()) {
        why = "the drag of '" + w[1] + "': " + r.GetMessageUtf8();
        return false;
    }
    return true;
}
} // namespace

bool KorvuPlayInput(DLxDrawingDoc& doc, const std::string& path, std::string& why) {
    std::ifstream in(path);
    if (!in) {
        why = path + ": cannot read the input file";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::vector<std::string> w;
        std::string error;
        bool ok = Words(line, w, error);
        if (ok && (w.empty() || w[0][0] == '#')) continue;
        if (ok) {
            if (w[0] == "drag")
                ok = Drag(doc, w, error);
            else {
                error = "unknown action '" + w[0] + "' (expected drag)";
                ok = false;
            }
        }
        if (!ok) {
            why = path + ":" + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}
