#pragma once
// The first screen of a returning user: the title bar over the welcome page
// whose one button ("Open my projects", or "Get started" while there are
// none) shows the home screen.

#include <QWidget>

namespace vt {

class AppModel;
class WelcomeStep;

class WelcomeBackView : public QWidget {
    Q_OBJECT

public:
    explicit WelcomeBackView(AppModel& app, QWidget* parent = nullptr);
    WelcomeStep* page() const { return page_; }
    QString buttonTitle() const;

private:
    void rebuild();

    AppModel& app_;
    WelcomeStep* page_ = nullptr;
};

}  // namespace vt
