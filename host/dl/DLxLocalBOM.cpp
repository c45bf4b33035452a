#include "dl/DLxLocalBOM.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <unordered_map>

#include "dc/RDxNode.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawingAssembly.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxTableStyleColumn.h"
#include "rd/RDxComponent.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

struct DLxLocalBOM::Model {
    std::unordered_map<int32_t, size_t> index; // component id -> position in the assembly
    std::unordered_map<int32_t, std::vector<Entry>> children;
    std::unordered_map<uint64_t, size_t> childAt; // (parent, component) -> entry position
    std::vector<Entry> allParts;
    std::unordered_map<int32_t, size_t> partAt;
    std::unordered_map<int32_t, size_t> occurrenceAt;
    std::vector<Entry> none;

    static uint64_t Pair(int32_t parent, int32_t child) {
        return (uint64_t(uint32_t(parent)) << 32) | uint32_t(child);
    }

    explicit Model(const DLxAssemblyData& a) {
        index.reserve(a.components.size());
        for (size_t i = 0; i < a.components.size(); ++i)
            index.emplace(a.components[i].id, i);
        for (size_t i = 0; i < a.occurrences.size(); ++i)
            occurrenceAt.emplace(a.occurrences[i].id, i);
        for (const DLxAssemblyOccurrence& o : a.occurrences) {
            if (!index.count(o.component)) continue;
            std::vector<Entry>& list = children[o.parent];
            auto [at, added] = childAt.emplace(Pair(o.parent, o.component), list.size());
            if (added)
                list.push_back({o.component, o.quantity});
            else
                list[at->second].quantity += o.quantity;
        }
        // Totals through every level, depth first in model order. The model file refuses
        // cycles; the depth bound keeps a damaged model from recursing without end.
        Collect(a, a.root, 1, 0);
    }

    void Collect(const DLxAssemblyData& a, int32_t assembly, int32_t factor, int depth) {
        auto it = children.find(assembly);
        if (it == children.end() || depth > 64) return;
        for (const Entry& e : it->second) {
            const int32_t total = e.quantity * factor;
            if (a.components[index.at(e.component)].kind == DLxAssemblyComponent::Kind::Assembly) {
                Collect(a, e.component, total, depth + 1);
                continue;
            }
            auto [at, added] = partAt.emplace(e.component, allParts.size());
            if (added)
                allParts.push_back({e.component, total});
            else
                allParts[at->second].quantity += total;
        }
    }
};

DLxLocalBOM::DLxLocalBOM() = default;
DLxLocalBOM::DLxLocalBOM(const RSeStream* s) : RDxObject(s) {}
DLxLocalBOM::~DLxLocalBOM() = default;

DLxLocalBOM* DLxLocalBOM::Create(RSeSegment* segment, int32_t scheme) {
    auto* bom =
        new (RSe::_GetMeta(static_cast<const DLxLocalBOM*>(nullptr)), segment) DLxLocalBOM();
    bom->m_scheme = scheme == kPartsOnly ? kPartsOnly : kStructured;
    return bom;
}

void DLxLocalBOM::SetSchemeID(int32_t scheme) {
    scheme = scheme == kPartsOnly ? kPartsOnly : kStructured;
    if (scheme == m_scheme) return;
    RSe::PrepareWrite(this);
    m_scheme = scheme;
}

void DLxLocalBOM::SetRowKeyMode(int32_t mode) {
    if (mode == m_rowKeyMode) return;
    RSe::PrepareWrite(this);
    m_rowKeyMode = mode;
}

void DLxLocalBOM::SetRowKeys(const std::vector<const DUxRowKey*>& keys) {
    std::vector<RowKey> values;
    for (const DUxRowKey* k : keys)
        if (k) values.push_back({k->getType(), k->getGeneralPID(), k->getCustomId()});
    if (values == m_rowKeys) return;
    RSe::PrepareWrite(this);
    m_rowKeys = std::move(values);
}

void DLxLocalBOM::UpdateStructure() {
    if (m_followsDrawing)
        FollowDrawing();
    else
        Derive(m_assembly);
}

void DLxLocalBOM::Refresh() {
    if (m_followsDrawing)
        FollowDrawing();
    else
        Derive(m_assembly);
    UnsetFlag(kStatusUpdateRequired | kStatusUpdateRequiredAll);
}

void DLxLocalBOM::Attach(const DLxAssemblyData* assembly) {
    m_followsDrawing = assembly && assembly == DLxDrawingAssembly::FindData(GetDatabase());
    m_restoreSeen = RSe::RestoreCount();
    Derive(assembly);
}

void DLxLocalBOM::FollowDrawing() {
    m_followsDrawing = true;
    m_restoreSeen = RSe::RestoreCount();
    Derive(DLxDrawingAssembly::FindData(GetDatabase()));
}

void DLxLocalBOM::Derive(const DLxAssemblyData* assembly) const {
    m_assembly = assembly && !assembly->Empty() ? assembly : nullptr;
    m_descriptor.reset(m_assembly ? new GBxBOMDescriptor(*m_assembly) : nullptr);
    m_model.reset();
}

const DLxAssemblyData* DLxLocalBOM::Assembly() const {
    // An undo or redo may have put the drawing's assembly back to another state, or taken it
    // away: what was derived from it is derived again.
    if (m_followsDrawing && m_restoreSeen != RSe::RestoreCount()) {
        m_restoreSeen = RSe::RestoreCount();
        Derive(DLxDrawingAssembly::FindData(GetDatabase()));
    }
    return m_assembly;
}

const DLxLocalBOM::Model& DLxLocalBOM::GetModel() const {
    if (!m_model) {
        static const DLxAssemblyData kNone;
        m_model = std::make_unique<Model>(Assembly() ? *Assembly() : kNone);
    }
    return *m_model;
}

const DLxAssemblyComponent* DLxLocalBOM::FindComponent(int32_t id) const {
    if (!Assembly()) return nullptr;
    const Model& m = GetModel();
    auto it = m.index.find(id);
    return it == m.index.end() ? nullptr : &Assembly()->components[it->second];
}

const DLxAssemblyComponent* DLxLocalBOM::GetMasterComponent() const {
    return Assembly() ? FindComponent(Assembly()->root) : nullptr;
}

bool DLxLocalBOM::IsAssemblyBased() const {
    const DLxAssemblyComponent* root = GetMasterComponent();
    return root && root->kind == DLxAssemblyComponent::Kind::Assembly;
}

bool DLxLocalBOM::IsAssemblyComponent(int32_t id) const {
    const DLxAssemblyComponent* c = FindComponent(id);
    return c && c->kind == DLxAssemblyComponent::Kind::Assembly;
}

const std::vector<DLxLocalBOM::Entry>& DLxLocalBOM::ChildrenOf(int32_t assembly) const {
    const Model& m = GetModel();
    auto it = m.children.find(assembly);
    return it == m.children.end() ? m.none : it->second;
}

const std::vector<DLxLocalBOM::Entry>& DLxLocalBOM::AllParts() const {
    return GetModel().allParts;
}

size_t DLxLocalBOM::CustomIndex(int32_t item) const {
    // Items are handed out as -1, -2, ... and appended, removals keep the order: the list falls,
    // so a row is found without reading the list. A list stored in another order is still read.
    auto at = std::lower_bound(m_customs.begin(), m_customs.end(), item, std::greater<int32_t>());
    if (at == m_customs.end() || *at != item)
        at = std::find(m_customs.begin(), m_customs.end(), item);
    return size_t(at - m_customs.begin());
}

bool DLxLocalBOM::HasCustom(int32_t item) const {
    return CustomIndex(item) < m_customs.size();
}

bool DLxLocalBOM::HasRow(const DLxLocalBOMCookie& cookie) const {
    if (cookie.IsGrouped() || !cookie.IsValid()) return false;
    if (cookie.item() < 0) return cookie.path().empty() && HasCustom(cookie.item());
    if (!Assembly()) return false;
    const Model& m = GetModel();
    if (m_scheme == kPartsOnly) return cookie.path().empty() && m.partAt.count(cookie.item());
    int32_t parent = Assembly()->root;
    for (int32_t p : cookie.path()) {
        if (!m.childAt.count(Model::Pair(parent, p))) return false;
        parent = p;
    }
    return m.childAt.count(Model::Pair(parent, cookie.item())) != 0;
}

const DLxAssemblyOccurrence* DLxLocalBOM::FindOccurrence(int32_t id) const {
    if (!Assembly()) return nullptr;
    const Model& m = GetModel();
    auto it = m.occurrenceAt.find(id);
    return it == m.occurrenceAt.end() ? nullptr : &Assembly()->occurrences[it->second];
}

DLxLocalBOMCookie
DLxLocalBOM::CookieOfOccurrencePath(const std::vector<int32_t>& occurrences) const {
    if (!Assembly() || occurrences.empty()) return {};
    std::vector<int32_t> components;
    int32_t parent = Assembly()->root;
    for (int32_t id : occurrences) {
        const DLxAssemblyOccurrence* o = FindOccurrence(id);
        if (!o || o->parent != parent) return {};
        components.push_back(o->component);
        parent = o->component;
    }
    const int32_t item = components.back();
    components.pop_back();
    if (m_scheme == kPartsOnly) {
        if (IsAssemblyComponent(item)) return {};
        return DLxLocalBOMCookie({}, item);
    }
    return DLxLocalBOMCookie(std::move(components), item);
}

uint32_t DLxLocalBOM::GetBOMStatus(bool) const {
    return m_status | (Assembly() ? 0u : kStatusUnresolved);
}

void DLxLocalBOM::SetStatusOn(uint32_t bits) {
    if ((m_status | bits) == m_status) return;
    RSe::PrepareWrite(this);
    m_status |= bits;
}

void DLxLocalBOM::UnsetFlag(uint32_t bits) {
    if (!(m_status & bits)) return;
    RSe::PrepareWrite(this);
    m_status &= ~bits;
}

std::u16string DLxLocalBOM::GetErrorDescription(uint32_t status) {
    if (status & kStatusError) return u"The bill of materials has an error.";
    if (status & kStatusUnresolved) return u"The model of the bill of materials is not found.";
    if (status & (kStatusUpdateRequired | kStatusUpdateRequiredAll))
        return u"The bill of materials needs an update.";
    return {};
}

DLxLocalBOMCookie DLxLocalBOM::AddCustom() {
    RSe::PrepareWrite(this);
    const int32_t item = -++m_lastCustom;
    m_customs.push_back(item);
    return DLxLocalBOMCookie({}, item);
}

DLxLocalBOMCookie DLxLocalBOM::CustomAt(size_t index) const {
    return index < m_customs.size() ? DLxLocalBOMCookie({}, m_customs[index]) : DLxLocalBOMCookie();
}

bool DLxLocalBOM::RemoveCustom(const DLxLocalBOMCookie& cookie) {
    if (cookie.IsGrouped() || cookie.item() >= 0 || !HasRow(cookie)) return false;
    RSe::PrepareWrite(this);
    m_customs.erase(m_customs.begin() + std::ptrdiff_t(CustomIndex(cookie.item())));
    const std::u16string key = cookie.Key();
    m_overrides.erase(key);
    m_itemNumbers.erase(key);
    m_hidden.erase(key);
    return true;
}

bool DLxLocalBOM::SetCellOverride(const DLxLocalBOMCookie& cookie, const DLxLocalBOMColumn& column,
                                  const std::u16string& text) {
    if (column.GetKind() == DLxLocalBOMColumn::Item || !cookie.IsValid()) return false;
    if (cookie.IsGrouped()) {
        bool any = false;
        for (const DLxLocalBOMCookie& single : cookie.singleItems())
            any |= SetCellOverride(single, column, text);
        return any;
    }
    if (!HasRow(cookie)) return false;
    const std::u16string key = cookie.Key();
    const std::u16string col = column.Key();
    auto row = m_overrides.find(key);
    if (text.empty()) {
        if (row == m_overrides.end() || !row->second.count(col)) return true;
        RSe::PrepareWrite(this);
        row->second.erase(col);
        if (row->second.empty()) m_overrides.erase(row);
        return true;
    }
    if (row != m_overrides.end()) {
        auto cell = row->second.find(col);
        if (cell != row->second.end() && cell->second == text) return true;
    }
    RSe::PrepareWrite(this);
    m_overrides[key][col] = text;
    return true;
}

bool DLxLocalBOM::GetCellOverride(const DLxLocalBOMCookie& cookie, const DLxLocalBOMColumn& column,
                                  std::u16string& text) const {
    return FindCellOverride(cookie.Key(), column.Key(), text);
}

bool DLxLocalBOM::FindCellOverride(const std::u16string& rowKey, const std::u16string& columnKey,
                                   std::u16string& text) const {
    if (m_overrides.empty()) return false;
    auto row = m_overrides.find(rowKey);
    if (row == m_overrides.end()) return false;
    auto cell = row->second.find(columnKey);
    if (cell == row->second.end()) return false;
    text = cell->second;
    return true;
}

bool DLxLocalBOM::FindItemNumber(const std::u16string& rowKey, std::u16string& number) const {
    if (m_itemNumbers.empty()) return false;
    auto it = m_itemNumbers.find(rowKey);
    if (it == m_itemNumbers.end()) return false;
    number = it->second;
    return true;
}

bool DLxLocalBOM::HasModelOverride(const std::u16string& rowKey) const {
    auto row = m_overrides.find(rowKey);
    if (row == m_overrides.end()) return false;
    for (const auto& cell : row->second) {
        DLxLocalBOMColumn col;
        if (DLxLocalBOMColumn::FromKey(cell.first, col) && col.IsModelProperty()) return true;
    }
    return false;
}

bool DLxLocalBOM::ClearCellOverride(const DLxLocalBOMCookie& cookie,
                                    const DLxLocalBOMColumn& column) {
    return SetCellOverride(cookie, column, {});
}

bool DLxLocalBOM::SetItemNumber(const DLxLocalBOMCookie& cookie, const std::u16string& number) {
    if (cookie.IsGrouped()) {
        bool any = false;
        for (const DLxLocalBOMCookie& single : cookie.singleItems())
            any |= SetItemNumber(single, number);
        return any;
    }
    if (!HasRow(cookie)) return false;
    const std::u16string key = cookie.Key();
    auto it = m_itemNumbers.find(key);
    if (number.empty() ? it == m_itemNumbers.end()
                       : it != m_itemNumbers.end() && it->second == number)
        return true;
    RSe::PrepareWrite(this);
    if (number.empty())
        m_itemNumbers.erase(it);
    else
        m_itemNumbers[key] = number;
    return true;
}

bool DLxLocalBOM::GetItemNumberOverride(const DLxLocalBOMCookie& cookie,
                                        std::u16string& number) const {
    return FindItemNumber(cookie.Key(), number);
}

bool DLxLocalBOM::IsExpanded(const DLxLocalBOMCookie& cookie) const {
    auto it = m_expanded.find(cookie.Key());
    if (it != m_expanded.end()) return it->second;
    return m_descriptor && m_descriptor->IsBOMStructuredAllLevels();
}

void DLxLocalBOM::SetExpanded(const DLxLocalBOMCookie& cookie, bool expanded) {
    if (cookie.IsGrouped() || !cookie.IsValid() || IsExpanded(cookie) == expanded) return;
    RSe::PrepareWrite(this);
    const bool byDefault = m_descriptor && m_descriptor->IsBOMStructuredAllLevels();
    if (expanded == byDefault)
        m_expanded.erase(cookie.Key());
    else
        m_expanded[cookie.Key()] = expanded;
}

bool DLxLocalBOM::IsRowHidden(const DLxLocalBOMCookie& cookie) const {
    return m_hidden.count(cookie.Key()) != 0;
}

void DLxLocalBOM::SetRowHidden(const DLxLocalBOMCookie& cookie, bool hidden) {
    if (cookie.IsGrouped()) {
        for (const DLxLocalBOMCookie& single : cookie.singleItems())
            SetRowHidden(single, hidden);
        return;
    }
    if (!cookie.IsValid() || IsRowHidden(cookie) == hidden) return;
    RSe::PrepareWrite(this);
    if (hidden)
        m_hidden.insert(cookie.Key());
    else
        m_hidden.erase(cookie.Key());
}

bool DLxLocalBOM::AddPropID2Usage(const DLxLocalBOMColumn& column) {
    if (IsPropIDInUse(column)) return false;
    RSe::PrepareWrite(this);
    m_propsInUse.insert(column.Key());
    return true;
}

bool DLxLocalBOM::RemovePropIDFromUsage(const DLxLocalBOMColumn& column) {
    if (!IsPropIDInUse(column)) return false;
    RSe::PrepareWrite(this);
    m_propsInUse.erase(column.Key());
    return true;
}

bool DLxLocalBOM::IsPropIDInUse(const DLxLocalBOMColumn& column) const {
    return m_propsInUse.count(column.Key()) != 0;
}

void DLxLocalBOM::ClearPropIDsInUse() {
    if (m_propsInUse.empty()) return;
    RSe::PrepareWrite(this);
    m_propsInUse.clear();
}

bool DLxLocalBOM::IsMemberSpecificProperty(const DLxLocalBOMColumn& column,
                                           bool severalMembers) const {
    if (column.GetKind() == DLxLocalBOMColumn::Item || column.IsQuantity()) return false;
    if (severalMembers) return true;
    if (!Assembly()) return false;
    for (const DLxAssemblyComponent& c : Assembly()->components)
        if (c.isFactory) return true;
    return false;
}

namespace {
std::u16string Ascii(const char* s) {
    std::u16string out;
    for (; *s; ++s)
        out.push_back(char16_t(*s));
    return out;
}
} // namespace

std::u16string DLxLocalBOM::ModelValue(const DLxAssemblyComponent& c,
                                       const DLxLocalBOMColumn& column) const {
    switch (column.GetKind()) {
    case DLxLocalBOMColumn::PartNumber:
        return c.partNumber;
    case DLxLocalBOMColumn::Description:
        return c.description;
    case DLxLocalBOMColumn::Material:
        return c.material;
    case DLxLocalBOMColumn::Vendor:
        return c.vendor;
    case DLxLocalBOMColumn::Name:
        return c.name;
    case DLxLocalBOMColumn::Path:
        return c.path;
    case DLxLocalBOMColumn::Purchased:
        return c.purchased ? u"Yes" : u"No";
    case DLxLocalBOMColumn::StandardPart:
        return c.standardPart ? u"Yes" : u"No";
    case DLxLocalBOMColumn::Mass: {
        if (!c.hasMass) return {};
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", c.mass);
        return Ascii(buf);
    }
    case DLxLocalBOMColumn::User:
        for (const DLxAssemblyProperty& p : c.userProperties)
            if (p.name == column.GetName()) return p.value;
        return {};
    default:
        return {};
    }
}

int32_t DLxLocalBOM::PushBack(DLxAssemblyData& model) {
    int32_t written = 0;
    std::map<std::u16string, Cells> kept;
    for (const auto& [key, cells] : m_overrides) {
        // The component is the last part of a model row's key; custom rows stay.
        const size_t slash = key.rfind(u'/');
        const std::u16string last = slash == std::u16string::npos ? key : key.substr(slash + 1);
        int32_t id = 0;
        bool number = !last.empty();
        for (char16_t ch : last) {
            if (ch < u'0' || ch > u'9')
                number = false;
            else
                id = id * 10 + (ch - u'0');
        }
        DLxAssemblyComponent* target = nullptr;
        for (DLxAssemblyComponent& c : model.components)
            if (number && c.id == id) target = &c;
        Cells rest;
        for (const auto& [colKey, text] : cells) {
            DLxLocalBOMColumn col;
            if (!target || !DLxLocalBOMColumn::FromKey(colKey, col) || !col.IsModelProperty()) {
                rest.emplace(colKey, text);
                continue;
            }
            ++written;
            switch (col.GetKind()) {
            case DLxLocalBOMColumn::PartNumber:
                target->partNumber = text;
                break;
            case DLxLocalBOMColumn::Description:
                target->description = text;
                break;
            case DLxLocalBOMColumn::Material:
                target->material = text;
                break;
            case DLxLocalBOMColumn::Vendor:
                target->vendor = text;
                break;
            default: {
                bool found = false;
                for (DLxAssemblyProperty& p : target->userProperties)
                    if (p.name == col.GetName()) p.value = text, found = true;
                if (!found) target->userProperties.push_back({col.GetName(), text});
            }
            }
        }
        if (!rest.empty()) kept.emplace(key, std::move(rest));
    }
    if (written) {
        RSe::PrepareWrite(this);
        m_overrides = std::move(kept);
    }
    return written;
}

DLxAnnotationUpdateState* DLxLocalBOM::FindAnnotationUpdateState(const RSeIDed* annotation) const {
    if (!annotation) return nullptr;
    for (const RSeRef<DLxAnnotationUpdateState>& ref : m_annotations)
        if (DLxAnnotationUpdateState* st = ref.get(); st && st->GetAnnotation() == annotation)
            return st;
    return nullptr;
}

bool DLxLocalBOM::GetAnnotationState(const RSeIDed* annotation,
                                     DLxAnnotationUpdateState*& out) const {
    out = FindAnnotationUpdateState(annotation);
    return out != nullptr;
}

bool DLxLocalBOM::IsRelatedAnnotation(const RSeIDed* annotation) const {
    return FindAnnotationUpdateState(annotation) != nullptr;
}

bool DLxLocalBOM::HasRelatedAnnotations() const {
    for (const RSeRef<DLxAnnotationUpdateState>& ref : m_annotations)
        if (DLxAnnotationUpdateState* st = ref.get(); st && st->GetAnnotation()) return true;
    return false;
}

DLxAnnotationUpdateState* DLxLocalBOM::RegisterAnnotation(RSeIDed* sheet, RSeIDed* annotation,
                                                          bool create) {
    if (!annotation) return nullptr;
    DLxAnnotationUpdateState* st = FindAnnotationUpdateState(annotation);
    if (!st && create) {
        RSe::PrepareWrite(this);
        st = new (RSe::_GetMeta(static_cast<const DLxAnnotationUpdateState*>(nullptr)),
                  GetSegment()) DLxAnnotationUpdateState();
        st->m_annotation = annotation;
        m_annotations.emplace_back(st);
    }
    if (st) st->SetSheet(sheet);
    return st;
}

bool DLxLocalBOM::SetAnnotationDirty(const RSeIDed* annotation) {
    DLxAnnotationUpdateState* st = FindAnnotationUpdateState(annotation);
    if (!st) return false;
    st->SetDirty(true);
    return true;
}

int32_t DLxLocalBOM::NotifyAnnotationUpdateStates(const RSeIDed* sheet, bool) {
    int32_t n = 0;
    for (const RSeRef<DLxAnnotationUpdateState>& ref : m_annotations) {
        DLxAnnotationUpdateState* st = ref.get();
        if (!st || !st->GetAnnotation() || (sheet && st->GetSheet() != sheet)) continue;
        st->SetDirty(true);
        ++n;
    }
    return n;
}

int32_t DLxLocalBOM::NotifyPLsInterestedInBalloonChanges(const RSeIDed* sheet) {
    int32_t n = 0;
    for (const RSeRef<DLxAnnotationUpdateState>& ref : m_annotations) {
        DLxAnnotationUpdateState* st = ref.get();
        if (!st || !st->GetAnnotation() ||
            st->GetUpdateType() != DLxAnnotationUpdateState::kPartsList ||
            (sheet && st->GetSheet() != sheet))
            continue;
        // A parts list that said it shows no balloons' rows does not care; one that said
        // nothing (an older one) is asked to look.
        if (auto* data = dynamic_cast<const DLxPartListUpdateData*>(st->GetAnnoSpecificData());
            data && !data->IsInterestedInBalloonChanges())
            continue;
        st->SetDirty(true);
        ++n;
    }
    return n;
}

int32_t DLxLocalBOM::MarkDirtyAnnotationsEdited() {
    int32_t n = 0;
    for (const RSeRef<DLxAnnotationUpdateState>& ref : m_annotations) {
        DLxAnnotationUpdateState* st = ref.get();
        if (!st || !st->IsDirty()) continue;
        if (auto* node = dynamic_cast<RDxNode*>(st->GetAnnotation())) {
            node->SetNodeMarks(RDxNode::kRefreshMark, true);
            ++n;
        }
        st->SetDirty(false);
    }
    return n;
}

bool DLxLocalBOM::PurgeAnnotation(const RSeIDed* annotation) {
    bool purged = false;
    for (size_t i = m_annotations.size(); i-- > 0;) {
        DLxAnnotationUpdateState* st = m_annotations[i].get();
        const bool gone = !st || (annotation ? st->GetAnnotation() == annotation
                                             : st->GetAnnotation() == nullptr);
        if (!gone) continue;
        RSe::PrepareWrite(this);
        if (st) {
            st->SetAnnoSpecificData(nullptr);
            RSe::DeleteObject(st);
        }
        m_annotations.erase(m_annotations.begin() + std::ptrdiff_t(i));
        purged = true;
    }
    return purged;
}

void DLxLocalBOM::GetBalloonCookieSet(std::set<DLxLocalBOMCookie>& out) const {
    for (const RSeRef<DLxAnnotationUpdateState>& ref : m_annotations) {
        DLxAnnotationUpdateState* st = ref.get();
        if (!st || !st->GetAnnotation()) continue;
        auto* data = dynamic_cast<DLxBalloonUpdateData*>(st->GetAnnoSpecificData());
        if (!data || !data->GetBalloonVisibility()) continue;
        for (const DLxBalloonUpdateData::Item& item : data->GetItems())
            out.insert(item.cookie);
    }
}

void DLxLocalBOM::ReleaseAnnotations() {
    if (m_annotations.empty() && m_components.empty()) return;
    RSe::PrepareWrite(this);
    for (RSeRef<DLxAnnotationUpdateState>& ref : m_annotations)
        if (DLxAnnotationUpdateState* st = ref.get()) {
            st->SetAnnoSpecificData(nullptr);
            RSe::DeleteObject(st);
        }
    m_annotations.clear();
    for (RSeRef<RDxComponent>& ref : m_components)
        if (RDxComponent* c = ref.get()) RSe::DeleteObject(c);
    m_components.clear();
}

namespace {
std::u16string Decimal(int64_t v) {
    std::u16string out;
    for (char c : std::to_string(v))
        out.push_back(char16_t(c));
    return out;
}
} // namespace

int32_t DLxLocalBOM::QuantityOf(const DLxLocalBOMCookie& cookie) const {
    if (!HasRow(cookie)) return 0;
    std::u16string text;
    if (cookie.item() < 0) {
        if (!FindCellOverride(cookie.Key(), DLxLocalBOMColumn(DLxLocalBOMColumn::Quantity).Key(),
                              text))
            return 1;
        int64_t v = 0;
        for (char16_t c : text) {
            if (c < u'0' || c > u'9') break;
            v = std::min<int64_t>(v * 10 + (c - u'0'), INT32_MAX);
        }
        return int32_t(v);
    }
    const Model& m = GetModel();
    if (m_scheme == kPartsOnly) return m.allParts[m.partAt.at(cookie.item())].quantity;
    const int32_t parent = cookie.path().empty() ? Assembly()->root : cookie.path().back();
    return m.children.at(parent)[m.childAt.at(Model::Pair(parent, cookie.item()))].quantity;
}

std::u16string DLxLocalBOM::ItemNumberOf(const DLxLocalBOMCookie& cookie) const {
    if (!HasRow(cookie)) return {};
    std::u16string number;
    if (FindItemNumber(cookie.Key(), number)) return number;
    const Model& m = GetModel();
    if (cookie.item() < 0) {
        const size_t top =
            m_scheme == kPartsOnly ? m.allParts.size() : ChildrenOf(Assembly()->root).size();
        return Decimal(int64_t(top + CustomIndex(cookie.item()) + 1));
    }
    if (m_scheme == kPartsOnly) return Decimal(int64_t(m.partAt.at(cookie.item()) + 1));
    // The parent's number (one set on it if any, as the list shows it), the delimiter, the
    // position: renumbering an assembly renumbers its rows.
    int32_t parent = Assembly()->root;
    std::vector<int32_t> above;
    for (int32_t c : cookie.path()) {
        if (!number.empty()) number += m_descriptor->GetBOMStructuredDelimiter();
        number += Decimal(int64_t(m.childAt.at(Model::Pair(parent, c)) + 1));
        std::u16string set;
        if (FindItemNumber(DLxLocalBOMCookie(above, c).Key(), set)) number = set;
        above.push_back(c);
        parent = c;
    }
    if (!number.empty()) number += m_descriptor->GetBOMStructuredDelimiter();
    return number + Decimal(int64_t(m.childAt.at(Model::Pair(parent, cookie.item())) + 1));
}

int32_t DLxLocalBOM::QuantityUnder(int32_t assembly, int32_t component) const {
    if (!Assembly()) return 0;
    const Model& m = GetModel();
    auto it = m.childAt.find(Model::Pair(assembly, component));
    return it == m.childAt.end() ? 0 : m.children.at(assembly)[it->second].quantity;
}

int32_t DLxLocalBOM::TotalQuantity(int32_t component) const {
    if (!Assembly()) return 0;
    const Model& m = GetModel();
    auto it = m.partAt.find(component);
    return it == m.partAt.end() ? 0 : m.allParts[it->second].quantity;
}

RDxComponent* DLxLocalBOM::GetRDxComponent(int32_t id) {
    const DLxAssemblyComponent* c = FindComponent(id);
    if (!c) return nullptr;
    RDxComponent* found = nullptr;
    for (const RSeRef<RDxComponent>& ref : m_components)
        if (RDxComponent* r = ref.get(); r && r->GetComponentId() == id) found = r;
    if (!found) {
        RSe::PrepareWrite(this);
        found = new (RSe::_GetMeta(static_cast<const RDxComponent*>(nullptr)), GetSegment())
            RDxComponent();
        m_components.emplace_back(found);
    }
    std::map<std::u16string, std::u16string> props;
    for (int32_t k = DLxLocalBOMColumn::PartNumber; k < DLxLocalBOMColumn::User; ++k) {
        const DLxLocalBOMColumn col{DLxLocalBOMColumn::Kind(k)};
        if (std::u16string v = ModelValue(*c, col); !v.empty()) props[col.Key()] = std::move(v);
    }
    for (const DLxAssemblyProperty& p : c->userProperties)
        props[DLxLocalBOMColumn::UserProperty(p.name).Key()] = p.value;
    found->Set(id,
               c->kind == DLxAssemblyComponent::Kind::Assembly ? RDxComponent::kAssembly
                                                               : RDxComponent::kPart,
               c->name, c->path, props);
    return found;
}

RDxComponent* DLxLocalBOM::GetMasterRDxComp() {
    return Assembly() ? GetRDxComponent(Assembly()->root) : nullptr;
}

std::vector<DLxAnnotationUpdateState*> DLxLocalBOM::GetAnnotationStates() const {
    std::vector<DLxAnnotationUpdateState*> out;
    for (const RSeRef<DLxAnnotationUpdateState>& ref : m_annotations)
        if (DLxAnnotationUpdateState* st = ref.get()) out.push_back(st);
    return out;
}

DLxConfiguration* DLxLocalBOM::GetConfiguration(bool create) {
    DLxConfiguration* c = m_configuration.get();
    if (c || !create) return c;
    RSe::PrepareWrite(this);
    std::u16string member;
    if (const DLxAssemblyComponent* root = GetMasterComponent(); root && root->isFactory)
        member = root->activeMember;
    c = DLxConfiguration::Create(this, member);
    m_configuration = c;
    return c;
}
