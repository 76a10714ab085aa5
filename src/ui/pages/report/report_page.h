#pragma once

#include <QObject>
#include <string>
#include <vector>

namespace velmora {

struct WindowControls;

// The Computed Values page: the two report panes and the width of the left one (Memo1), kept
// in "Default.INI" and applied once the page has its real size.
class ReportPage : public QObject {
    Q_OBJECT
  public:
    ReportPage(WindowControls& controls, QObject* parent);

    // Watches the splitter so a width waiting for the page's real size is applied then.
    void Connect();
    void ShowReports(const std::vector<std::string>& memo1, const std::vector<std::string>& memo2);
    // A width from a loaded file; applied now when the page is shown, else when it shows.
    void SetMemoWidth(int width);
    // The width to save: the one still waiting, else Memo1's.
    int MemoWidth() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyMemoWidth();

    WindowControls& c_;
    int pendingMemoWidth_ = -1;
};

}  // namespace velmora
