#pragma once
// Sketched-symbol definitions and their placements.
//
// A DLxSketch is a symbol the user drew once and keeps in the drawing under a name: lines,
// circular arcs and circles, texts (each either fixed, or a parameter that prompts for its
// value when the symbol is placed) and images (a named picture in a box). Its coordinates are
// the sketch's own; the insertion point is where a placement's reference point sits.
//
// A DLxSketchInstance is one placement of a sketch on a sheet: the sketch, the sheet, the
// object that owns the placement (a placed symbol) and the text of each of the sketch's texts
// as this placement shows it (prompted ones filled in). It lives in its sheet's segment.
//
// DLxSketchUtil draws a placement into display lists in the sketch's coordinates: the curves
// and texts into one list, the images into another (images are moved with a symbol but keep
// their size and orientation).
//
// Stored records:
//   DLxSketch (version 1): name (text), insertion point (3 doubles), curves (count, then each:
//     kind int32, 3 points of 3 doubles, radius, start and end angle), texts (count, then each:
//     text, prompt, position, height, prompted bool), images (count, then each: name,
//     lower-left and upper-right corners), connection points (count, then 3 doubles each).
//     Version 0 ends after the images and has no connection points.
//   DLxSketchInstance (version 0): sketch, sheet, owner (references), texts (count, then each text).
#include <cstdint>
#include <vector>

#include "ge/BBox.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxDrawingDoc;
class DLxSheet;
class SMxDisplayList;

class DLxSketch : public RSeIDed {
public:
    struct Curve {
        enum Kind : int32_t { kLine = 0, kArc = 1, kCircle = 2 };
        Kind kind = kLine;
        // A line runs from start to end; an arc or circle has its centre in `centre`, and an arc
        // runs counter-clockwise from startAngle to endAngle (radians from +X).
        WqGePoint3d start, end, centre;
        double radius = 0.0;
        double startAngle = 0.0;
        double endAngle = 0.0;
    };
    struct Text {
        // The fixed text, or the default value of a prompted one.
        UTxString16 text;
        // What a prompted text asks for; empty for a fixed text.
        UTxString16 prompt;
        WqGePoint3d position; // bottom left of the text
        double height = 3.5;
        bool prompted = false;
    };
    struct Image {
        UTxString16 name;
        WqGePoint3d lowerLeft, upperRight;
    };

    DLxSketch() = default;
    explicit DLxSketch(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    // A new sketch in the drawing's first segment; null when the name is empty or taken.
    static DLxSketch* Create(DLxDrawingDoc* doc, const UTxString16& name);
    // The drawing's sketches in the order of their ids.
    static std::vector<DLxSketch*> GetAll(const DLxDrawingDoc* doc);
    static DLxSketch* Find(const DLxDrawingDoc* doc, const UTxString16& name);

    const UTxString16& GetName() const { return m_name; }
    const WqGePoint3d& GetInsertPoint() const { return m_insert; }
    void SetInsertPoint(const WqGePoint3d& p);
    const std::vector<Curve>& GetCurves() const { return m_curves; }
    const std::vector<Text>& GetTexts() const { return m_texts; }
    const std::vector<Image>& GetImages() const { return m_images; }
    // Points where other sketched symbols are meant to join this one (a moved placement snaps
    // its own onto theirs), in the sketch's coordinates.
    const std::vector<WqGePoint3d>& GetConnectionPoints() const { return m_connections; }
    void AddCurve(const Curve& c);
    void AddText(const Text& t);
    void AddImage(const Image& i);
    void AddConnectionPoint(const WqGePoint3d& p);

    // The indices (into GetTexts) of the prompted texts, in order.
    std::vector<int32_t> GetAllPromptParameters() const;
    // The box of the curves, texts and images in the sketch's coordinates; empty for an empty
    // sketch.
    BBox GetExtents() const;
    // The middle of GetExtents; the insertion point for an empty sketch.
    WqGePoint3d GetGeomCenterPoint() const;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxSketch* target, RSeCloneCommander* cc) const;

private:
    void LoadFields(RSeStream& s, bool withConnections);

    UTxString16 m_name;
    WqGePoint3d m_insert;
    std::vector<Curve> m_curves;
    std::vector<Text> m_texts;
    std::vector<Image> m_images;
    std::vector<WqGePoint3d> m_connections;
};

class DLxSketchInstance : public RSeIDed {
public:
    DLxSketchInstance() = default;
    explicit DLxSketchInstance(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    // A placement of the sketch in the sheet's segment, showing each text as the sketch has it.
    // Null without a sketch or a sheet.
    static DLxSketchInstance* Create(DLxSheet* sheet, DLxSketch* sketch);

    DLxSketch* GetSketch() const { return m_sketch.get(); }
    DLxSheet* GetSheetInstance() const;
    void SetSheetInstance(DLxSheet* sheet);
    RSeIDed* GetOwnerInstance() const { return m_owner.get(); }
    void SetOwnerInstance(RSeIDed* owner);
    // One text for each of the sketch's texts.
    const std::vector<UTxString16>& GetTextStrings() const { return m_texts; }
    void SetTextString(int32_t index, const UTxString16& text);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxSketchInstance* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxSketch> m_sketch;
    RSeRef<DLxSheet> m_sheet;
    RSeRef<RSeIDed> m_owner;
    std::vector<UTxString16> m_texts;
};

namespace DLxSketchUtil {
// Item id of the curves and text boxes that make a sketch's outline.
constexpr int32_t kSketchItem = 9;
// Draws the placement's curves and texts into `list` and its images (a frame, its diagonals
// and its name) into `images`, in the sketch's coordinates.
void PopulateTransientDL(const DLxSketchInstance& instance, SMxDisplayList& list,
                         SMxDisplayList& images);
WqGePoint3d GetInsertPoint(const DLxSketch& sketch);
WqGePoint3d GetGeomCenterPoint(const DLxSketch& sketch);
} // namespace DLxSketchUtil

namespace RSe {
RSeMetaType* _InitMeta(const DLxSketch*);
RSeMetaType* _GetMeta(const DLxSketch*);
RSeMetaType* _InitMeta(const DLxSketchInstance*);
RSeMetaType* _GetMeta(const DLxSketchInstance*);
} // namespace RSe
