#include "ui/pages/help/rtf_text_document.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace velmora {

namespace {

Qt::Alignment ToQt(RtfAlignment alignment) {
    switch (alignment) {
        case RtfAlignment::Center:
            return Qt::AlignHCenter;
        case RtfAlignment::Right:
            return Qt::AlignRight;
        case RtfAlignment::Justify:
            return Qt::AlignJustify;
        case RtfAlignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat ToQt(const RtfRun& run) {
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    if (run.fontSizePoints > 0 && run.fontSizePoints < 1000)
        format.setFontPointSize(run.fontSizePoints);
    if (run.hasColor) format.setForeground(QColor(run.color.red, run.color.green, run.color.blue));
    return format;
}

}  // namespace

void FillTextDocument(const RtfDocument& rtf, QTextDocument& document) {
    document.clear();
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(24);  // bullets are followed by a tab
    document.setDefaultTextOption(option);
    QTextCursor cursor(&document);
    bool first = true;
    for (const RtfParagraph& paragraph : rtf.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(ToQt(paragraph.alignment));
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        for (const RtfRun& run : paragraph.runs) {
            // A line break inside a paragraph stays inside it.
            QString text = QString::fromStdString(run.text);
            text.replace('\n', QChar::LineSeparator);
            cursor.insertText(text, ToQt(run));
        }
    }
}

}  // namespace velmora
