#pragma once
// The requests that make a new style of a kind, or write new values into one, from a record of
// style values: UCxNewStandardSubStyleRequest and UCxUpdateStandardSubStyleRequest over
// UCxStandardSubStyleRequestBase. A kind instantiates them with its style class and record and
// supplies the writer of the record's values into the style (_Execute_SetStyleValues), its
// transcript name and its transcript exchange. They sit with the drawing utilities rather than
// the other request helpers because a new style joins a drafting standard's list of styles.
//
// Style:  the kind's style class, with CreateStyle(segment, name) and
//         GetInternalStylesCollectionNameStatic() (the name of the documents' collection).
// Data:   the record: copyable, with GetStyleName() and SetStyleName(name).
//
// New: the record's name is repaired (and written back into the record), the style is made in
// the segment of the document's root object with that name, given the record's values and its
// edit count cleaned, then added to the kind's collection and, when the standard style given is
// a drafting standard, to that standard's list of the kind.
// Update: a style change is announced first (a listener may refuse it, and then nothing
// changes); with Rename the style takes the record's repaired name in its collection; then the
// values are written. Whatever that gave, the document's object-style support is then told, so
// that the annotations of the style follow it.
// An error stops a request where it arises; the document rolls the whole request back.
#include <cstdint>

#include "du/DUxStandardStyle.h"
#include "fb/IFxStyles.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "uc/UCxTranscriptDataExchange.h"

// Results of the style requests (the styles library).
constexpr UTxResultCode kUCxErrStyleNotCreated = 0xE00E033B;
constexpr UTxResultCode kUCxErrStyleNotAdded = 0xE00E033C;
constexpr UTxResultCode kUCxErrStyleNotChanged = 0xE00E033D;
constexpr UTxResultCode kUCxErrStyleInvalid = 0xE00E035A;
constexpr char kUCxSubStyleSource[] = "uc/request/UCxStandardSubStyleRequest.h";

template <class Style, class Data> class UCxStandardSubStyleRequestBase : public FWxChangeRequest {
public:
    // Style requests are of their own classification.
    static constexpr int32_t kClassification = 64;

    UCxStandardSubStyleRequestBase() : FWxChangeRequest(kClassification) {}
    UCxStandardSubStyleRequestBase(FWxStylesCollection* collection, const Data& data,
                                   const RSeRef<Style>& style)
        : FWxChangeRequest(kClassification), m_style(style), m_data(data),
          m_collection(collection) {}

    RSeRef<Style> GetStyle() const { return m_style; }
    const Data& GetData() const { return m_data; }

    UTxResult Script(FWxSceneDoc* doc) override {
        UTxString16 line;
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        UTxResult r = mgr.BeginDocRequest(line, doc);
        if (!r.Failed()) r = mgr.PutDocRequestName(line, GetTranscriptRequestName());
        if (r.Failed()) return r;
        UCxTranscriptDataExchange tdx(line, r, doc, true);
        UTxResult own = this->DoTranscriptDataExchange(tdx);
        if (own.Failed()) return own;
        if (r.Failed()) return r;
        r = mgr.EndDocRequest(line);
        if (!r.Failed()) r = mgr.WriteLine(line);
        return r;
    }
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override {
        UTxString16 text = line;
        UTxResult r;
        UCxTranscriptDataExchange tdx(text, r, doc, false);
        UTxResult own = this->DoTranscriptDataExchange(tdx);
        return own.Failed() ? own : r;
    }

    // Writes the record's values into m_style.
    virtual void _Execute_SetStyleValues() = 0;
    virtual const char16_t* GetTranscriptRequestName() const = 0;

protected:
    // The kind's collection of the document; null when it has none.
    static FWxStylesCollection* DocumentCollection(FWxSceneDoc* doc) {
        IFxStyles* styles = GetIFxStyles(doc);
        return styles ? styles->GetCollection(Style::GetInternalStylesCollectionNameStatic())
                      : nullptr;
    }

    RSeRef<Style> m_style;
    Data m_data;
    FWxStylesCollection* m_collection = nullptr;
};

template <class Style, class Data>
class UCxNewStandardSubStyleRequest : public UCxStandardSubStyleRequestBase<Style, Data> {
    using Base = UCxStandardSubStyleRequestBase<Style, Data>;

public:
    UCxNewStandardSubStyleRequest() = default;
    UCxNewStandardSubStyleRequest(FWxStylesCollection* collection, const Data& data,
                                  const RSeRef<FWxStyle>& standardStyle)
        : Base(collection, data, RSeRef<Style>()), m_standardStyle(standardStyle) {}

    UTxResult _Execute(FWxSceneDoc* doc) override {
        UTxString16 name = this->m_data.GetStyleName();
        FWxStyle::RepairStyleName(name);
        this->m_data.SetStyleName(name);
        RSeIDed* root = doc ? doc->GetRootObject() : nullptr;
        Style* style = root ? Style::CreateStyle(RSe::SegmentOf(root), name) : nullptr;
        this->m_style = RSeRef<Style>(style);
        if (!style) return UTxResult(kUCxErrStyleNotCreated, kUCxSubStyleSource, 103);
        this->_Execute_SetStyleValues();
        style->CleanStyleEdits();
        // Later lines name the style by its name key, which needs no registration here.
        FWxStylesCollection* collection = this->m_collection;
        if (!collection) collection = Base::DocumentCollection(doc);
        if (!collection) return UTxResult(kUCxErrStyleNotCreated, kUCxSubStyleSource, 122);
        if (!collection->AddStyle(RSeRef<FWxStyle>(style)).HasTarget())
            return UTxResult(kUCxErrStyleNotAdded, kUCxSubStyleSource, 127);
        if (auto* standard = dynamic_cast<DUxStandardStyle*>(m_standardStyle.get()))
            standard->GetStyleList(RSeRef<FWxStyle>(style)).Add(RSeRef<FWxStyle>(style));
        return {};
    }

protected:
    RSeRef<FWxStyle> m_standardStyle;
};

template <class Style, class Data>
class UCxUpdateStandardSubStyleRequest : public UCxStandardSubStyleRequestBase<Style, Data> {
    using Base = UCxStandardSubStyleRequestBase<Style, Data>;

public:
    UCxUpdateStandardSubStyleRequest() = default;
    UCxUpdateStandardSubStyleRequest(FWxStylesCollection* collection, const RSeRef<Style>& style,
                                     const Data& data, bool rename)
        : Base(collection, data, style), m_rename(rename) {}

    bool GetRename() const { return m_rename; }

    // A document, and a style that it keeps.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override {
        if (!doc) return UTxResult(kUCxErrStyleInvalid, kUCxSubStyleSource, 226);
        const Style* style = this->m_style.get();
        if (!style) return UTxResult(kUCxErrStyleInvalid, kUCxSubStyleSource, 229);
        if (!style->IsCached()) return UTxResult(kUCxErrStyleInvalid, kUCxSubStyleSource, 232);
        return {};
    }

    UTxResult _Execute(FWxSceneDoc* doc) override {
        UTxResult r = DoUpdate(doc);
        DoPostUpdate(doc);
        return r;
    }

    virtual UTxResult DoUpdate(FWxSceneDoc* doc) {
        Style* style = this->m_style.get();
        if (!style) return UTxResult(kUCxErrStyleInvalid, kUCxSubStyleSource, 229);
        if (!this->m_collection || !this->m_collection->IsLocalCollection())
            this->m_collection = Base::DocumentCollection(doc);
        FBxStyleEvent event(FBxStyleEvent::kStyleChange, RSeRef<FWxStyle>(style));
        RSeNotifier::Notify(event);
        if (event.IsRefused()) return UTxResult(kUCxErrStyleNotChanged, kUCxSubStyleSource, 184);
        if (m_rename) {
            UTxString16 name = this->m_data.GetStyleName();
            FWxStyle::RepairStyleName(name);
            this->m_data.SetStyleName(name);
            const UTxString16 current = style->GetStyleName();
            if (!this->m_collection || !this->m_collection->RenameStyle(current, name).HasTarget())
                return UTxResult(kUCxErrStyleNotChanged, kUCxSubStyleSource, 196);
        }
        this->_Execute_SetStyleValues();
        return {};
    }

    virtual void DoPostUpdate(FWxSceneDoc* doc) {
        if (IFxObjectStyleSupport* support = GetIFxObjectStyleSupport(doc))
            support->PostUpdateStyle(RSeRef<FWxStyle>(this->m_style.get()), m_postUpdate);
    }

protected:
    bool m_rename = false;
    bool m_postUpdate = true;
};
