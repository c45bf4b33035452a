#pragma once
// An ISO drawing with one view and one feature control frame whose single leader ends on the
// view's edge at (200,150) with the default arrowhead (28029), bends at (205,170) and has its
// root at (220,190). The document can be locked against commands; the transcript's lines start
// after the setup.
#include <cstdint>
#include <memory>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "rse/RSeRef.h"

class DLxGDTInstance;
class DLxSheet;
class DLxSymInstance;
class DLxViewInstance;

struct TstFrameDoc {
    class Doc : public DLxDrawingDoc {
    public:
        bool PermittedCommand(int32_t c) const override {
            return !locked && DLxDrawingDoc::PermittedCommand(c);
        }
        bool locked = false;
    };

    TstFrameDoc();
    DLxGDTInstance* Frame() const;
    RSeRef<DLxSymInstance> Ref() const;
    // The template id of arrowhead 0 of leader 0 of the stored frame.
    uint32_t ArrowHead() const;
    std::vector<uint8_t> Bytes() const;

    std::unique_ptr<Doc> doc = std::make_unique<Doc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
};
