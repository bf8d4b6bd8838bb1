#include "ui/home/WelcomeBackView.h"

#include "app/AppModel.h"
#include "ui/home/ScreenTitleBar.h"
#include "ui/home/WelcomeStep.h"
#include "ui/theme/PrimaryActionButton.h"

#include <QVBoxLayout>

namespace vt {

WelcomeBackView::WelcomeBackView(AppModel& app, QWidget* parent) : QWidget(parent), app_(app)
{
    auto* screen = new QVBoxLayout(this);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->setSpacing(0);
    screen->addWidget(screenTitleBar(nullptr, this));
    rebuild();
    connect(&app, &AppModel::projectsChanged, this, [this] {
        // Only the title follows the list; the page keeps its entrance.
        if (page_->button()->text() != buttonTitle()) page_->button()->setText(buttonTitle());
    });
}

QString WelcomeBackView::buttonTitle() const { return app_.projects().empty() ? tr("Get started") : tr("Open my projects"); }

void WelcomeBackView::rebuild()
{
    page_ = new WelcomeStep([this] { app_.enterProjects(); }, buttonTitle(), std::nullopt, this);
    static_cast<QVBoxLayout*>(layout())->addWidget(page_, 1);
}

}  // namespace vt
