#include "ui/pages/help/help_document.h"

#include <QTextDocument>

#include "persistence/file_text.h"
#include "persistence/rtf_reader.h"
#include "ui/pages/help/rtf_text_document.h"

namespace velmora {

bool LoadHelpDocument(const QString& path, QTextDocument& document) {
    document.clear();
    std::string text;
    if (ReadWholeFile(path.toStdString(), text) != FileReadStatus::Read) return false;
    const RtfDocument rtf = ParseRtf(text);
    if (!rtf.HasText()) return false;
    FillTextDocument(rtf, document);
    return true;
}

}  // namespace velmora
