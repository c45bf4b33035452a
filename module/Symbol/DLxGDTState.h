#pragma once
// The state of a feature control frame: its lines (each a geometric-characteristic symbol, two
// tolerances and three datums, and whether the line sits inside the frame), the frame's datum
// identifier and its rotation. It draws the frame through the frame layout of the drafting
// standards and offers the tolerance symbols its frame style enables.
//
// Line roles: a framed line with symbol 0 is an empty line; an unframed line carries free text
// in its tolerance A (a text line above the frame is line 0, a note line below the frame
// follows the last framed line).
//
// The state owns its lines and its datum identifier value, and each line owns its six values:
// they live in the owner's segment and go when the owner goes (through the open transaction,
// so that undo brings them back). Whoever copies a state with a clone commander should copy
// GetOwnedObjects with it; a copy that is not given them makes its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "Standard/DLxFCFStdInfo.h"
#include "Symbol/DLxSym.h"
#include "du/DUxSymState.h"
#include "du/DUxValue.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DUxFeatureControlFrameStyleWrapper;
class FWxSceneDoc;
class RDxFragment;

class DLxGDTStateLine : public RSeIDed {
public:
    // A framed line with its six values (symbol 0, empty texts), made in the line's segment.
    DLxGDTStateLine();
    // The framed flag only; the values stay unset until someone attaches them.
    explicit DLxGDTStateLine(bool framed);
    explicit DLxGDTStateLine(const RSeStream* s);
    // New values holding copies of the other line's six; framed flag and width copied, display
    // strings left empty.
    DLxGDTStateLine(const DLxGDTStateLine& other);
    // Takes the symbol, the five texts (with their visibilities), the framed flag and the width;
    // keeps its own value objects and display strings.
    DLxGDTStateLine& operator=(const DLxGDTStateLine& other);
    ~DLxGDTStateLine() override;
    RSeMetaType* GetMeta() const override;

    // Code 0 (no symbol) leaves the symbol's text empty; other codes show their number.
    void SetSymbol(int32_t code);
    void GetSymbol(int32_t& code) const;
    void GetSymbol(DLxFCFStdInfo::EGdtSymbolType& code) const;
    int32_t Symbol() const;
    DUxIntegerValue* RefSymbol() const { return m_symbol.get(); }
    DUxStringValue* ToleranceA() const { return m_toleranceA.get(); }
    DUxStringValue* ToleranceB() const { return m_toleranceB.get(); }
    DUxStringValue* DatumA() const { return m_datumA.get(); }
    DUxStringValue* DatumB() const { return m_datumB.get(); }
    DUxStringValue* DatumC() const { return m_datumC.get(); }
    // The value a line variable names (14 to 24); null for any other number.
    DUxValue* GetValue(DLxSym::Variable variable) const;

    // The tolerances as last drawn, alternate units added; not stored.
    void SetToleranceADispStr(const UTxString16& text) { m_toleranceADisp = text; }
    void SetToleranceBDispStr(const UTxString16& text) { m_toleranceBDisp = text; }
    const UTxString16& GetToleranceADispStr() const { return m_toleranceADisp; }
    const UTxString16& GetToleranceBDispStr() const { return m_toleranceBDisp; }

    bool IsFramed() const { return m_framed; }
    void SetFramed(bool framed);
    // The drawn width, written by the frame's drawing; not stored.
    double GetWidth() const { return m_width; }
    void SetWidth(double width) { m_width = width; }

    // The six values.
    void GetOwnedObjects(std::vector<RSeVMeta*>& out) const;

    void Load(RSeStream& s);
    // The line as a version-0 frame state kept it inside its own record: the six references
    // and the framed flag, without a base part.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxGDTStateLine* target, RSeCloneCommander* cc) const;

private:
    void MakeValues();
    void ReadFields(RSeStream& s);
    void DeleteValues();
    friend class DLxGDTState; // reads the values of the oldest layout, which it stored itself
    // The six value references in their stored order.
    RSeRefBase* StoredRef(int32_t k);

    RSeRef<DUxStringValue> m_datumA;
    RSeRef<DUxStringValue> m_datumB;
    RSeRef<DUxStringValue> m_datumC;
    RSeRef<DUxIntegerValue> m_symbol;
    RSeRef<DUxStringValue> m_toleranceA;
    RSeRef<DUxStringValue> m_toleranceB;
    UTxString16 m_toleranceADisp;
    UTxString16 m_toleranceBDisp;
    bool m_framed = true;
    double m_width = 0.0;
};

class DLxGDTState : public DUxSymState {
public:
    using enum DLxSym::Variable;
    // Marks every frame made by this generation: its texts hang from their own cells.
    static constexpr uint32_t kNewStateFlag = 0x20000000u;

    // A new frame state in the segment it is placed in: three framed lines, line 0 with
    // symbol 10 and tolerance A "0.000", an empty datum identifier, no rotation.
    explicit DLxGDTState(RSeRef<RDxFragment> fragment);
    explicit DLxGDTState(const RSeStream* s);
    ~DLxGDTState() override;
    RSeMetaType* GetMeta() const override;

    // The same, made in the fragment's segment and added to the fragment; null without one.
    static DLxGDTState* Create(RDxFragment* fragment);

    virtual const char* GetInternalName() const { return "FeatureControlFrame"; }

    // ---- lines
    int32_t GetNumberOfLines() const { return int32_t(m_lines.size()); }
    // Appends a new default line; answers the new count.
    int32_t AddLine();
    // Deletes the last line while more than one is left; answers the count.
    int32_t RemoveLastLine();
    // Null outside the lines.
    DLxGDTStateLine* GetLine(int32_t i) const;
    // False past the last line.
    bool IsFramed(int32_t i) const;
    // Ignored past the last line.
    void SetLineFramed(int32_t i, bool framed);

    // ---- values by variable number
    // The text of a line variable of line i (i must be a line); the datum identifier's text for
    // 27 and for every number that names no line value.
    const UTxString16& Value(DLxSym::Variable variable, int32_t i) const;
    // Nothing changes (success) for i outside the lines; a number that names no value fails
    // with 0x200B0323. 27 sets the datum identifier.
    UTxResult SetValue(DLxSym::Variable variable, int32_t i, const char16_t* text);
    // 0 for i outside the lines or a number that names no value.
    DUxValue::EVisibility VariableStatus(DLxSym::Variable variable, int32_t i) const;
    // As SetValue for range and result.
    UTxResult SetVariableStatus(DLxSym::Variable variable, int32_t i,
                                DUxValue::EVisibility visibility);

    // Ignored (code unchanged) outside the lines.
    void SetSymbol(int32_t i, int32_t code);
    void GetSymbol(int32_t i, int32_t& code) const;
    // 0 outside the lines.
    int32_t GetLineSymbolCode(int32_t i) const;
    // The value objects of line i; an index outside the lines takes line 0.
    DUxIntegerValue* GetLineSymbolValue(int32_t i) const;
    DUxStringValue* GetLineToleranceA(int32_t i) const;
    DUxStringValue* GetLineToleranceB(int32_t i) const;
    DUxStringValue* GetLineDatumA(int32_t i) const;
    DUxStringValue* GetLineDatumB(int32_t i) const;
    DUxStringValue* GetLineDatumC(int32_t i) const;
    // Display strings of the last drawing: getters take line 0 outside the lines, setters
    // ignore such an index.
    const UTxString16& GetLineToleranceADispStr(int32_t i) const;
    const UTxString16& GetLineToleranceBDispStr(int32_t i) const;
    void SetLineToleranceADispStr(int32_t i, const UTxString16& text);
    void SetLineToleranceBDispStr(int32_t i, const UTxString16& text);
    // The drawn width of line i; 0 outside the lines.
    double GetLineWidth(int32_t i) const;

    // ---- the frame
    DUxStringValue* GetDatumIdentifier() const { return m_datumIdentifier.get(); }
    // Radians, about the frame's origin.
    double GetRotationAngle() const { return m_rotationAngle; }
    void SetRotationAngle(double angle);
    // Whether an angle (radians) is within 0.0001 degree of `degrees`; quarter turns are told
    // apart this way everywhere a frame's turn matters.
    static bool IsAngleAt(double radians, double degrees);
    bool IsTurnedTo(double degrees) const { return IsAngleAt(m_rotationAngle, degrees); }
    // Results of the last GenGraphics: the centre of the measured frame across its reading
    // direction (x at 90 and 270 degrees, y otherwise), and the datum identifier line's width
    // (0 without one).
    double GetAttachOffset() const { return m_attachOffset; }
    double GetDatumIdentifierWidth() const { return m_datumIdentifierWidth; }

    // The frame style: the state's own, else the document's; null when there is none.
    std::unique_ptr<DUxFeatureControlFrameStyleWrapper> getGDTWrapper() const;
    // The last unframed line whose symbol text is empty and whose tolerance A is not.
    bool FindNoteLine(int32_t* index = nullptr) const;
    bool HasDatumIdentifier() const;
    // False: the layout's cell height. True: the height the note line takes below the framed
    // lines (from the placed box), 0 without a note line. 0 without a frame style.
    double GetNoteLineOffset(bool noteLine) const;
    // Which fields the edit dialog offers, from the values and the frame style.
    void SetDefaultVisibility();
    // Line 0's symbol: 10 when the style enables it, else the first enabled symbol, else 10;
    // 0 without a frame style.
    void SelectDefaultSymbol();
    // A copy outside the document (a preview in the transient segment) cannot find the
    // document's frame style: a state without a style of its own takes it along, so that the
    // copy draws and offers what the stored frame does.
    void TakeDocumentStyle(FWxSceneDoc* doc);
    // Appends the 18 geometric-characteristic and the 12 modifying symbols in offering order,
    // enabled by the style's masks; nothing without a frame style.
    void GetGeometricSymbolDescs(DLxSymbolStdInfo::DLxSymbolDescs& list) const;
    void GetAuxiliarySymbolDescs(DLxSymbolStdInfo::DLxSymbolDescs& list) const;

    // Draws the frame into `symbolList` at the origin, turned by the rotation angle; nothing
    // without a frame style or without a first line to show. The other arguments are unused.
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;

    // The lines, their values and the datum identifier value.
    void GetOwnedObjects(std::vector<RSeVMeta*>& out) const;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxGDTState* target, RSeCloneCommander* cc) const;

private:
    static bool IsKnownVariable(DLxSym::Variable variable);
    // Line i, or line 0 for an index outside the lines; null without lines.
    DLxGDTStateLine* ClampedLine(int32_t i) const;
    DUxValue* VariableValue(DLxSym::Variable variable, int32_t i) const;
    UTxResult CheckLoaded(RSeMetaContext& ctx) const;

    RSeRef<DUxStringValue> m_datumIdentifier;
    std::vector<RSeRef<DLxGDTStateLine>> m_lines;
    double m_rotationAngle = 0.0;
    double m_attachOffset = 0.0;
    double m_datumIdentifierWidth = 0.0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxGDTStateLine*);
RSeMetaType* _GetMeta(const DLxGDTStateLine*);
RSeMetaType* _InitMeta(const DLxGDTState*);
RSeMetaType* _GetMeta(const DLxGDTState*);
} // namespace RSe
