#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "report/number_settings.h"
#include "simulation/headline_power.h"

class QLabel;

namespace velmora {

class BackgroundTask;
class TForm1;

// The status bar's "Shaft power (accurate model): ... W", or the brake power for a design with
// losses: the one power to build by, next to the specified figures of the pages, which stay as
// they are. Where the one-degree figures cannot be trusted, a note beside it says why and
// offers the figure to build by. After every computation of the window it takes that
// computation's one-degree run and adds the accurate runs on a thread of its own.
class HeadlinePowerView : public QObject {
    Q_OBJECT
  public:
    explicit HeadlinePowerView(TForm1& form);
    ~HeadlinePowerView() override;

    // The texts for a design's figures: the headline and the note (empty where none is due).
    static QString HeadlineText(const HeadlinePower& headline, const NumberSettings& numbers);
    static QString NoteText(const HeadlinePower& headline, const NumberSettings& numbers);

  signals:
    // The labels show the figures of the design last computed.
    void Shown();

  private:
    void Recompute();
    void Finished();

    TForm1& form_;
    QLabel* headline_ = nullptr;
    QLabel* note_ = nullptr;
    BackgroundTask* task_ = nullptr;
    bool again_ = false;
    struct Job;
    std::shared_ptr<Job> job_;
};

}  // namespace velmora
