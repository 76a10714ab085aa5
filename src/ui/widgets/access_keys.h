#pragma once

#include <QChar>
#include <QString>

class QWidget;

namespace velmora {

// The letter of a caption's access key ('&' before it, "&&" being a plain '&'), upper-cased;
// a null character for none.
QChar AccessKeyOf(const QString& caption);

// Gives every button, check box, labelled field (a label with a buddy) and tab under `window`
// that has no access key yet the first letter of its caption that no other caption of the
// window uses, so that Alt+letter reaches each of them and no two share one. Captions that
// already carry a key keep it. A caption without a free letter stays as it is.
void AssignAccessKeys(QWidget* window);

}  // namespace velmora
