#include "dc/RDxNode.h"

#include <algorithm>

#include "dc/RDxFragment.h"
#include "rse/RSeTransaction.h"

void RDxNode::MarkEdited(bool edited) {
    if (m_edited == edited) return;
    RSe::PrepareWrite(this);
    m_edited = edited;
    if (edited) NoteEdited();
}

void RDxNode::NoteEdited() {
    if (RSeIDed* fragment = m_fragment.GetTarget())
        static_cast<RDxFragment*>(fragment)->NoteEdited(this);
}

void RDxNode::SetBirthday(int32_t birthday) {
    if (m_birthday == birthday) return;
    RSe::PrepareWrite(this);
    m_birthday = birthday;
}

UTxResult RDxNode::Compute(RDxComputeContext&) {
    return {};
}

bool RDxNode::AddDependency(RDxNode* node) {
    if (!node || node == this || DependsOn(node)) return false;
    RSe::PrepareWrite(this);
    m_dependencies.emplace_back(node);
    if (!m_edited) {
        m_edited = true;
        NoteEdited();
    }
    return true;
}

bool RDxNode::RemoveDependency(RDxNode* node) {
    auto it = std::find_if(m_dependencies.begin(), m_dependencies.end(),
                           [node](const RSeRefBase& r) { return r.GetTarget() == node; });
    if (!node || it == m_dependencies.end()) return false;
    RSe::PrepareWrite(this);
    m_dependencies.erase(it);
    if (!m_edited) {
        m_edited = true;
        NoteEdited();
    }
    return true;
}

bool RDxNode::DependsOn(const RDxNode* node) const {
    return node && std::any_of(m_dependencies.begin(), m_dependencies.end(),
                               [node](const RSeRefBase& r) { return r.GetTarget() == node; });
}

void RDxNode::CollectDependencies(std::vector<RDxNode*>& out) const {
    // Reading the graph changes nothing, so the targets are taken without noting a write.
    for (const RSeRef<RDxNode>& r : m_dependencies)
        if (RSeIDed* t = r.GetTarget()) out.push_back(static_cast<RDxNode*>(t));
}

RDxFragment* RDxNode::GetFragmentForNodes() const {
    return static_cast<RDxFragment*>(m_fragment.GetTarget());
}

void RDxNode::SetFragment(RDxFragment* fragment) {
    if (m_fragment.GetTarget() == fragment) return;
    RSe::PrepareWrite(this);
    m_fragment = fragment;
}

void RDxNode::SetNodeMarks(uint32_t bits, bool on) {
    if (on) {
        m_marks |= bits;
        MarkEdited(true);
    } else {
        m_marks &= ~bits;
    }
}
