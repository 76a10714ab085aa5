#pragma once

#include <QString>

class QTextDocument;

namespace velmora {

// Reads the rich-text help file into `document`. False, with the document left empty, when
// the file is missing, unreadable or holds no text.
bool LoadHelpDocument(const QString& path, QTextDocument& document);

}  // namespace velmora
