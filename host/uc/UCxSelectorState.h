#pragma once
// States of the host's interactive commands: the selector state, which lets the user pick
// objects on the sheet through its selection filter, and the inert state, which takes input
// and does nothing with it (the user works in a dialog meanwhile).
//
// A click asks the document what lies at the point (FWxSceneDoc::PickObjects, within the
// event's world selection tolerance, 0.1 without one), offers the nearest object to the
// filter's items in order, and hands the first selection made to OnSelect, which puts what it
// wants into the set. A set that is not empty then goes to OnAccept: 8 finishes the state with
// code 8 (the parent reads what was picked); any other answer drops the pick and picking goes
// on.
#include <cstdint>
#include <string>

#include "fw/FWxSelection.h"
#include "fw/FWxState.h"
#include "sm/SMxTypeFilterItem.h"

class FWxSceneDoc;

class UCxSelectorState : public FWxComplexState {
public:
    UCxSelectorState(FWxSceneDoc* doc, std::u16string setName, int32_t flags);
    ~UCxSelectorState() override;

    FWxEventTarget* OnActivate() override;
    void OnTerminate(int32_t code) override;
    // Adds the selection; answers 2.
    virtual int32_t OnSelect(const SmartPtr<FWxSelection>& selection, FWxSelectionSet& set);
    // Accepts: 8.
    virtual int32_t OnAccept(FWxSelectionSet& set, const FWxEvent& event);

    FWxSceneDoc* GetDocument() const { return m_doc; }
    FWxSelectionSet& GetSelectionSet() { return m_set; }
    FWxSelectionFilter& GetSelectionFilter() { return m_filter; }
    const std::u16string& GetSelectionSetName() const { return m_setName; }
    int32_t GetSelectorFlags() const { return m_flags; }
    // The prompt's text id, shown while the state picks.
    void SetPromptId(int32_t id) { m_promptId = id; }
    int32_t GetPromptId() const { return m_promptId; }

    // The pick at the event's point, as a click makes it.
    int32_t Pick(const FWxEvent& event);

private:
    class Target : public FWxEventTarget {
    public:
        explicit Target(UCxSelectorState* owner) : m_owner(owner) {}
        int32_t OnLButtonDown(const FWxEvent& event) override { return m_owner->Pick(event); }

    private:
        UCxSelectorState* m_owner;
    };

    FWxSceneDoc* m_doc;
    std::u16string m_setName;
    int32_t m_flags;
    int32_t m_promptId = 0;
    FWxSelectionSet m_set;
    FWxSelectionFilter m_filter;
    Target m_target{this};
};

class UCxInertTargetState : public FWxTargetState {
public:
    FWxEventTarget* OnActivate() override { return &m_target; }

private:
    FWxEventTarget m_target;
};
