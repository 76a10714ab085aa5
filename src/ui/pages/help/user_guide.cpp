#include "ui/pages/help/user_guide.h"

#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QUrl>

#include "ui/mainwindow/control_state_widgets.h"
#include "ui/mainwindow/main_window.h"
#include "ui/widgets/tools_menu.h"

namespace velmora {

void ShowUserGuide(TForm1& form, const QString& section) {
    auto* guide = form.findChild<QTextBrowser*>("UserGuideWindow");
    if (guide == nullptr) {
        guide = new QTextBrowser(&form);
        guide->setWindowFlag(Qt::Window);
        guide->setObjectName("UserGuideWindow");
        guide->setWindowTitle("Velmora User Guide");
        guide->setOpenExternalLinks(false);
        guide->resize(720, 560);
    }
    const QString path = ToQString(form.Locations.dataFolder) + kUserGuideFile;
    if (QFileInfo::exists(path)) {
        QUrl url = QUrl::fromLocalFile(path);
        if (!section.isEmpty()) url.setFragment(section);
        guide->setSource(url);
        if (!section.isEmpty()) guide->scrollToAnchor(section);
    } else {
        // Said in the window itself: a modal message would stop a tool window's key press.
        guide->setPlainText(
            QString("Unable to locate the user guide, \"%1\"!").arg(kUserGuideFile));
    }
    guide->show();
    guide->raise();
    guide->activateWindow();
}

void AddUserGuideMenu(TForm1& form, QMenuBar* bar) {
    QMenu* tools = ToolsMenu(bar);
    tools->addSeparator();
    QAction* action = tools->addAction("User &Guide");
    action->setObjectName("UserGuide1");
    action->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    QObject::connect(action, &QAction::triggered, &form, [&form] { ShowUserGuide(form); });
}

namespace {

// F1 pressed anywhere in a tool window: its fields ignore the key, so it reaches the window.
class GuideKey : public QObject {
  public:
    GuideKey(TForm1& form, QWidget* window, QString section)
        : QObject(window), form_(form), section_(std::move(section)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const bool override = event->type() == QEvent::ShortcutOverride;
        if ((!override && event->type() != QEvent::KeyPress) ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
            static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
            return false;
        // Taken before the main window's F1 (its Help/About page) can claim it.
        event->accept();
        if (!override) ShowUserGuide(form_, section_);
        return true;
    }

  private:
    TForm1& form_;
    QString section_;
};

}  // namespace

void AddUserGuideKey(TForm1& form, QWidget* window, const QString& section) {
    new GuideKey(form, window, section);
}

}  // namespace velmora
