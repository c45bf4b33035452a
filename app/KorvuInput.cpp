#include "KorvuInput.h"

#include <climits>
#include <cstdint>
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
#include "uc/UCxDialog.h"
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

RDxInstance* FindInstance(DLxDrawingDoc& doc, const std::string& key) {
    RSeIDed* object = nullptr;
    const UTxResult found =
        FBxObjectNameKey(UTx::MakeWideString(key)).FindObject(*doc.GetRSeDb(), &doc, object);
    return found.Failed() ? nullptr : dynamic_cast<RDxInstance*>(object);
}

bool Number(const std::string& word, int32_t& out) {
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end || v < INT32_MIN || v > INT32_MAX) return false;
    out = int32_t(v);
    return true;
}

// One thing the user does in an open dialog.
struct DialogAction {
    enum Kind { kType, kChoose, kClick } kind;
    int32_t id = 0;
    int32_t value = 0;
    std::u16string text;
};

// Reads a dialog line: type ID "TEXT" | choose ID VALUE | click ID | ok | cancel.
bool ReadDialogAction(const std::vector<std::string>& w, DialogAction& a, std::string& why) {
    const std::string& verb = w[0];
    if (verb == "ok" || verb == "cancel") {
        a.kind = DialogAction::kClick;
        a.id = verb == "ok" ? UCxDialog::kIdOK : UCxDialog::kIdCancel;
        if (w.size() == 1) return true;
        why = "'" + verb + "' takes nothing";
        return false;
    }
    const size_t want = verb == "click" ? 2 : 3;
    if ((verb != "type" && verb != "choose" && verb != "click") || w.size() != want) {
        why = "a dialog line is type ID \"TEXT\", choose ID VALUE, click ID, ok or cancel";
        return false;
    }
    if (!Number(w[1], a.id)) {
        why = "'" + w[1] + "' is not a control id";
        return false;
    }
    if (verb == "type") {
        a.kind = DialogAction::kType;
        a.text = UTx::MakeWideString(w[2]);
    } else if (verb == "choose") {
        a.kind = DialogAction::kChoose;
        if (!Number(w[2], a.value)) {
            why = "'" + w[2] + "' is not a value";
            return false;
        }
    } else {
        a.kind = DialogAction::kClick;
    }
    return true;
}

// Opens the annotation's dialog as a double-click does and plays the actions in it.
bool Edit(DLxDrawingDoc& doc, const std::string& key, const std::vector<DialogAction>& actions,
          std::string& why) {
    RDxInstance* instance = FindInstance(doc, key);
    if (!instance) {
        why = "no annotation '" + key + "'";
        return false;
    }
    const DLxDragPicker::Editor editor = DLxDragPicker::FindEditor(instance);
    if (!editor) {
        why = "'" + key + "' has no dialog to edit it in";
        return false;
    }
    bool opened = false;
    UCxDialog::UserRunner before = UCxDialog::SetUserRunner([&](UCxDialog& dlg) {
        opened = true;
        for (const DialogAction& a : actions) switch (a.kind) {
            case DialogAction::kType: dlg.OnUserType(a.id, a.text); break;
            case DialogAction::kChoose: dlg.OnUserChoose(a.id, a.value); break;
            case DialogAction::kClick: dlg.ClickButton(a.id); break;
            }
    });
    const UTxResult r = editor(instance, &doc);
    UCxDialog::SetUserRunner(std::move(before));
    if (r.Failed() || !opened) {
        why = "the edit of '" + key + "': " + (r.Failed() ? r.GetMessageUtf8() : "no dialog opened");
        return false;
    }
    return true;
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
    RDxInstance* instance = FindInstance(doc, w[1]);
    if (!instance) {
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
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> w;
        std::string error;
        size_t at = i; // the line a failure names
        bool ok = Words(lines[i], w, error);
        if (ok && (w.empty() || w[0][0] == '#')) continue;
        if (ok && w[0] == "drag") {
            ok = Drag(doc, w, error);
        } else if (ok && w[0] == "edit") {
            // The dialog's lines follow, up to and with the one that ends it.
            std::vector<DialogAction> actions;
            const size_t start = i;
            bool ended = false;
            if (w.size() != 2) {
                error = "'edit' takes a key: edit \"KEY\"";
                ok = false;
            }
            while (ok && !ended && ++i < lines.size()) {
                std::vector<std::string> d;
                at = i;
                ok = Words(lines[i], d, error);
                if (!ok || d.empty() || d[0][0] == '#') continue;
                DialogAction a;
                ok = ReadDialogAction(d, a, error);
                ended = d[0] == "ok" || d[0] == "cancel";
                actions.push_back(a);
            }
            if (ok && !ended) {
                error = "the dialog ends with neither ok nor cancel";
                at = start;
                ok = false;
            }
            if (ok) {
                at = start;
                ok = Edit(doc, w[1], actions, error);
            }
        } else if (ok) {
            error = "unknown action '" + w[0] + "' (expected drag or edit)";
            ok = false;
        }
        if (!ok) {
            why = path + ":" + std::to_string(at + 1) + ": " + error;
            return false;
        }
    }
    return true;
}
