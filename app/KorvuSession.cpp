#include "KorvuSession.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <sstream>

#include "KorvuOutputBatch.h"
#include "WinModule.h"
#include "br/BRxDocManager.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxInstance.h"
#include "dc/RDxNode.h"
#include "dc/RDxState.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxLocalBOMPrint.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxAppletExtension.h"
#include "render/RNxErrors.h"
#include "render/RNxRenderer.h"
#include "rse/RSeMetaType.h"
#include "sm/SMxDisplayList.h"

namespace {
std::string ExeDir() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    buf[n] = 0;
    std::string p(buf);
    const size_t slash = p.rfind('/');
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

// A sheet name as a file name: letters, digits, '-', '_' and '.' kept, the rest '_'.
std::string FileNameOf(const UTxString16& name) {
    std::string out;
    for (char c : UTx::ToUtf8(name)) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        out.push_back(keep ? c : '_');
    }
    return out.empty() ? "sheet" : out;
}

std::string Num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}
} // namespace

FWxAppletExtension* KorvuLoadModule(std::string& why) {
    const std::string path = ExeDir() + "/libkorvu.so";
    HMODULE module = LoadLibraryW(UTx::MakeWideString(path).c_str());
    if (!module) {
        const char* err = dlerror();
        why = "cannot load the module " + path + (err ? std::string(": ") + err : std::string()) +
              " (is libKorvuRes.so beside it?)";
        return nullptr;
    }
    using Entry = FWxAppletExtension* (*)();
    auto entry = reinterpret_cast<Entry>(GetProcAddress(module, "ExtensionGetExtensionInterface"));
    FWxAppletExtension* extension = entry ? entry() : nullptr;
    if (!extension) why = "the module " + path + " has no applet extension";
    return extension;
}

void KorvuShowSheet(DLxSheet* sheet) {
    for (const RSeRef<RDxNode>& node : sheet->GetNodes())
        if (auto* emblem = dynamic_cast<DLxEmblem*>(node.get())) {
            const SMxDisplayList* list = emblem->GetSheetDisplayList();
            if (!list || list->IsEmpty()) emblem->MarkEdited(true);
        }
    // As when a sheet is shown: annotations also clip their leaders at what they point to.
    RDxComputeContext ctx;
    ctx.SetInt(u"DLxSheetChangeTypeAttr", 1);
    sheet->Recompute(ctx); // a failing node draws what it has; the dump shows its health
}

UTxResult KorvuDrawSheets(DLxDrawingDoc& doc, const KorvuOutputs& outputs,
                          KorvuOutputBatch& batch) {
    if (outputs.svgDir.empty() && outputs.pngDir.empty() && outputs.pdfFile.empty())
        return {}; // no picture asked for: nothing to draw
    const std::vector<DLxSheet*> sheets = doc.GetSheets();
    for (size_t i = 0; i < sheets.size(); ++i) {
        DLxSheet* sheet = sheets[i];
        // The views' edges first, then every emblem's display list, in the sheet's order.
        // Drawings are derived, not stored: a loaded emblem draws again.
        KorvuShowSheet(sheet);
        const std::vector<DLxViewInstance*> views = sheet->GetViews();
        std::vector<SMxDisplayList> lists(views.size());
        std::vector<RNxLayer> layers;
        for (size_t k = 0; k < views.size(); ++k) {
            views[k]->BuildDisplayList(lists[k]);
            layers.push_back({&lists[k], WqGeMatrix3d()});
        }
        for (const RSeRef<RDxNode>& node : sheet->GetNodes())
            if (auto* emblem = dynamic_cast<DLxEmblem*>(node.get()))
                if (const SMxDisplayList* list = emblem->GetSheetDisplayList())
                    layers.push_back({list, WqGeMatrix3d()});
        const RNxSheet page{sheet->GetName(), sheet->GetWidth(), sheet->GetHeight()};
        const std::string base = FileNameOf(sheet->GetName());
        std::vector<std::pair<std::string, RNxFormat>> targets;
        if (!outputs.svgDir.empty())
            targets.emplace_back(outputs.svgDir + "/" + base + ".svg", RNxFormat::Svg);
        if (!outputs.pngDir.empty())
            targets.emplace_back(outputs.pngDir + "/" + base + ".png", RNxFormat::Png);
        if (!outputs.pdfFile.empty()) {
            std::string file = outputs.pdfFile;
            if (i > 0) {
                const size_t dot = file.rfind('.');
                const std::string stem = dot == std::string::npos ? file : file.substr(0, dot);
                file = stem + "-" + base + ".pdf";
            }
            targets.emplace_back(file, RNxFormat::Pdf);
        }
        for (const auto& [file, format] : targets) {
            std::string staged, why;
            if (!batch.Stage(file, staged, why))
                return UTxResult(kRNxErrWrite, UTx::MakeWideString(why));
            UTxResult r = RNx::RenderSheet(page, layers, format, staged);
            if (r.Failed()) return KorvuOutputBatch::Renamed(r, staged, file);
        }
    }
    return {};
}

std::string KorvuDump(DLxDrawingDoc& doc) {
    std::ostringstream out;
    if (DLxDrawing* drawing = doc.GetDrawing())
        out << "drawing: standard " << UTx::ToUtf8(drawing->GetStandardName()) << "\n";
    // What `open` kept of the model's assembly, and its bill of materials as a parts list would
    // show it.
    if (const DLxAssemblyData* assembly = doc.GetAssembly()) {
        std::string root;
        for (const DLxAssemblyComponent& c : assembly->components)
            if (c.id == assembly->root) root = UTx::ToUtf8(c.name);
        out << "assembly \"" << root << "\": " << assembly->components.size() << " components, "
            << assembly->occurrences.size() << " occurrences\n";
        out << DLxLocalBOMPrintDrawing(doc.GetRSeDb(), *assembly);
    }
    for (DLxSheet* sheet : doc.GetSheets()) {
        out << "sheet \"" << UTx::ToUtf8(sheet->GetName()) << "\" " << Num(sheet->GetWidth())
            << " x " << Num(sheet->GetHeight()) << "\n";
        for (const RSeRef<RDxNode>& ref : sheet->GetNodes()) {
            RDxNode* node = ref.get();
            if (!node) continue;
            if (auto* view = dynamic_cast<DLxViewInstance*>(node)) {
                const WqGePoint3d& c = view->GetViewCenter();
                out << "  view \"" << UTx::ToUtf8(view->GetName()) << "\" scale "
                    << Num(view->GetViewScale()) << " centre (" << Num(c.x) << "," << Num(c.y)
                    << ") edges " << view->GetEdges().size();
                if (const DLxEmblem* origin = view->GetCenterDatum())
                    out << " origin #" << origin->GetId();
                if (view->IsSuppressed()) out << " suppressed";
                out << "\n";
            } else {
                out << "  " << UTx::ToUtf8(node->GetMeta()->GetName()) << " #" << node->GetId()
                    << (node->IsSick() ? " (sick)" : "");
                // How a transcript names an emblem (a name key of its own, not its id).
                FBxObjectNameKey key;
                if (dynamic_cast<DLxEmblem*>(node) &&
                    !FBxObjectNameKey::FromObject(node, key).Failed() &&
                    &FBxObjectNameKey::FindTranslator(node->GetMeta()) !=
                        &FBxObjectNameKey::DefaultTranslator())
                    out << " key " << UTx::ToUtf8(key.GetText());
                out << "\n";
                // An instance's states, in input order.
                if (auto* inst = dynamic_cast<RDxInstance*>(node))
                    for (uint32_t i = 0; i < inst->GetInputStateCount(); ++i)
                        if (RDxState* state = inst->GetInputState(i))
                            out << "    state " << UTx::ToUtf8(state->GetMeta()->GetName()) << " #"
                                << state->GetId() << "\n";
            }
        }
    }
    // The model browser as the user sees it.
    out << "browser:\n";
    std::istringstream tree(doc.GetBrowser()->Print());
    for (std::string line; std::getline(tree, line);)
        out << "  " << line << "\n";
    return out.str();
}
