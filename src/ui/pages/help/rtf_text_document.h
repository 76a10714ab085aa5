#pragma once

#include "persistence/rtf_reader.h"

class QTextDocument;

namespace velmora {

// Fills `document` with the paragraphs and character formats of a parsed RTF file.
void FillTextDocument(const RtfDocument& rtf, QTextDocument& document);

}  // namespace velmora
