#pragma once
// What the program does with a document: the module loaded the way the host loads it, documents
// set up by the module's applet extension, drawn and described.
#include <memory>
#include <string>

#include "utx/UTxResult.h"

class DLxDrawingDoc;
class DLxSheet;
class FWxAppletExtension;
class KorvuOutputBatch;

// Loads the module beside the program and finds its applet extension; false with a message when
// the module (or its resource module) cannot be loaded.
FWxAppletExtension* KorvuLoadModule(std::string& why);

// Where pictures go; empty members draw nothing.
struct KorvuOutputs {
    std::string svgDir;
    std::string pngDir;
    std::string pdfFile;
};

// Computes a sheet as when it is shown: loaded annotations draw again (and can be picked, which
// is how a transcript's key finds one).
void KorvuShowSheet(DLxSheet* sheet);

// Draws every sheet into files staged in `batch`: one picture per sheet and format (sheets after
// the first get their name in the PDF file name). Returns the first failure.
UTxResult KorvuDrawSheets(DLxDrawingDoc& doc, const KorvuOutputs& outputs,
                          KorvuOutputBatch& batch);

// The document's structure as text: drawing settings, sheets, views and the other nodes.
std::string KorvuDump(DLxDrawingDoc& doc);
