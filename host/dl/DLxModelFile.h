#pragma once
// Model files: the JSON description of a model's drawing (its drafting standard, the assembly
// it documents, its sheets and their views with the projected edges) from which a new drawing document is built. The
// format is written down at the top of DLxModelFile.cpp and in examples/MODEL_FORMAT.md.
#include <cstdint>
#include <memory>
#include <string>

#include "utx/UTxResult.h"

class DLxDrawingDoc;

class DLxModelFile {
public:
    // The newest version of the format this program reads.
    static constexpr int32_t kVersion = 4;

    // A new document from the model file at `path`. On failure `out` is empty and the result
    // names the file, where in it the fault lies and what it is.
    static UTxResult Load(const std::string& path, std::unique_ptr<DLxDrawingDoc>& out);
    // The same from the text of a model; `name` stands for the file in messages.
    static UTxResult LoadFromString(const std::string& text, const std::string& name,
                                    std::unique_ptr<DLxDrawingDoc>& out);
};
