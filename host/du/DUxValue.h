#pragma once
// The stored values of symbol states: each is a text that an edit dialog shows in one field,
// with a visibility that says whether the dialog offers that field. Drawing reads the texts and
// never the visibility. Setters record the value for undo; a state that reads a value learns of
// its change from whoever sets it (through the state's own setters).
#include <cstdint>

#include "rse/RSeIDed.h"
#include "utx/UTxString16.h"

class DUxValue : public RSeIDed {
public:
    // Whether an edit dialog offers the field: 3 offers it, 1 withdraws it; a new value has
    // 0 until a default-visibility rule decides.
    enum EVisibility : int32_t { kVisibilityDefault = 0, kWithdrawn = 1, kOffered = 3 };

    DUxValue() = default;
    explicit DUxValue(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    EVisibility GetVisibility() const { return m_visibility; }
    void SetVisibility(EVisibility visibility);

    virtual const UTxString16& GetText() const = 0;
    virtual void SetText(const UTxString16& text) = 0;
    // Takes the other value's text and visibility.
    void Assign(const DUxValue& other);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxValue* target, RSeCloneCommander* cc) const;

private:
    EVisibility m_visibility = kVisibilityDefault;
};

// A plain text.
class DUxStringValue : public DUxValue {
public:
    DUxStringValue() = default;
    explicit DUxStringValue(const UTxString16& text) : m_text(text) {}
    explicit DUxStringValue(const RSeStream* s) : DUxValue(s) {}
    RSeMetaType* GetMeta() const override;

    const UTxString16& GetText() const override { return m_text; }
    void SetText(const UTxString16& text) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxStringValue* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_text;
};

// An integer whose text is its decimal form. The text may also be set directly: an empty text
// means "no value" and reads as 0, as does a text that does not start with a number.
class DUxIntegerValue : public DUxValue {
public:
    DUxIntegerValue() = default;
    explicit DUxIntegerValue(const RSeStream* s) : DUxValue(s) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetValue() const { return m_value; }
    void SetValue(int32_t value);
    const UTxString16& GetText() const override { return m_text; }
    void SetText(const UTxString16& text) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxIntegerValue* target, RSeCloneCommander* cc) const;

private:
    int32_t m_value = 0;
    UTxString16 m_text;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxValue*);
RSeMetaType* _GetMeta(const DUxValue*);
RSeMetaType* _InitMeta(const DUxStringValue*);
RSeMetaType* _GetMeta(const DUxStringValue*);
RSeMetaType* _InitMeta(const DUxIntegerValue*);
RSeMetaType* _GetMeta(const DUxIntegerValue*);
} // namespace RSe
