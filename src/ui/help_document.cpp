#include "ui/help_document.h"

#include <QTextDocument>

#include "persistence/file_text.h"

namespace velmora {

bool LoadHelpDocument(const QString& path, QTextDocument& document) {
    std::string text;
    document.clear();
    if (ReadWholeFile(path.toStdString(), text) != FileReadStatus::Read || text.empty())
        return false;
    document.setPlainText(QString::fromStdString(text));
    return !document.isEmpty();
}

}  // namespace velmora
