#pragma once

#include <QObject>
#include <QString>

namespace velmora {

class PageHost;
struct WindowControls;

// The Help/About page: the help text, read from "Help.RTF" the first time the page shows.
class HelpPage : public QObject {
    Q_OBJECT
  public:
    HelpPage(WindowControls& controls, PageHost& host, QObject* parent);

    // Reads "Help.RTF" from `dataFolder` unless the page already holds it.
    void HelpSheetShow(const QString& dataFolder);

  private:
    WindowControls& c_;
    PageHost& host_;
};

}  // namespace velmora
