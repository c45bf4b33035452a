#pragma once
// Defines a sketched-symbol definition in the drawing ("CreateSketch"): its name, insertion
// point, lines (two points each), arcs (three points each: start, a point on the way, end),
// circles (two points each: centre and a point on it), texts (one position, text and prompt
// each; a text with a prompt is a parameter that placements fill in), images (a name and two
// opposite corners each) and connection points ("ConnectionPoints", where other sketched
// symbols join this one). Everything is in the sketch's own coordinates.
#include <vector>

#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxSketch;

class DLxCreateSketchRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreateSketchRequest)
public:
    struct Definition {
        UTxString16 name;
        WqGePoint3d insertPoint;
        std::vector<WqGePoint3d> lines;
        std::vector<WqGePoint3d> arcs;
        std::vector<WqGePoint3d> circles;
        std::vector<UTxString16> texts;
        std::vector<WqGePoint3d> textPoints;
        std::vector<UTxString16> prompts;
        double textHeight = 3.5;
        std::vector<UTxString16> images;
        std::vector<WqGePoint3d> imageBoxes;
        std::vector<WqGePoint3d> connectionPoints;
    };

    DLxCreateSketchRequest();
    explicit DLxCreateSketchRequest(const Definition& definition);

    const RSeRef<DLxSketch>& GetSketch() const { return m_sketch; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    // Refuses an empty or taken name, lists whose lengths do not fit, points that are not
    // finite, a text height not above 0, arcs through three points on a line and circles of
    // no size.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    Definition m_def;
    RSeRef<DLxSketch> m_sketch;
};
