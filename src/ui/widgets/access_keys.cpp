#include "ui/widgets/access_keys.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <set>
#include <vector>

namespace velmora {

namespace {

// One caption of the window, read and written through its widget.
struct Caption {
    std::function<QString()> get;
    std::function<void(const QString&)> set;
};

// Push buttons first, so that Start, Cancel and Apply get their own first letters, then the
// labelled fields, whose captions are short, then the other captions in the order they were
// made.
std::vector<Caption> CaptionsUnder(QWidget* window) {
    std::vector<Caption> captions;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (!button->text().isEmpty())
            captions.push_back({[button] { return button->text(); },
                                [button](const QString& text) { button->setText(text); }});
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy() != nullptr)
            captions.push_back({[label] { return label->text(); },
                                [label](const QString& text) { label->setText(text); }});
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // Tool buttons of scroll areas and tab bars carry no caption.
            if (button->text().isEmpty() || qobject_cast<QPushButton*>(button)) continue;
            captions.push_back({[button] { return button->text(); },
                                [button](const QString& text) { button->setText(text); }});
        } else if (auto* box = qobject_cast<QGroupBox*>(widget); box && box->isCheckable()) {
            captions.push_back({[box] { return box->title(); },
                                [box](const QString& text) { box->setTitle(text); }});
        } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                captions.push_back({[tabs, i] { return tabs->tabText(i); },
                                    [tabs, i](const QString& text) { tabs->setTabText(i, text); }});
        }
    }
    return captions;
}

}  // namespace

QChar AccessKeyOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1].toUpper();
        ++i;
    }
    return QChar();
}

void AssignAccessKeys(QWidget* window) {
    const std::vector<Caption> captions = CaptionsUnder(window);
    std::set<QChar> used;
    for (const Caption& caption : captions)
        if (const QChar key = AccessKeyOf(caption.get()); !key.isNull()) used.insert(key);
    for (const Caption& caption : captions) {
        const QString text = caption.get();
        if (!AccessKeyOf(text).isNull()) continue;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text[i].toUpper();
            if (!text[i].isLetterOrNumber() || used.count(letter) != 0) continue;
            used.insert(letter);
            caption.set(QString(text).insert(i, '&'));
            break;
        }
    }
}

}  // namespace velmora
