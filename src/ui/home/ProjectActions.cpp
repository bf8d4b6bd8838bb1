#include "ui/home/ProjectActions.h"

#include <QMenu>

namespace vt {

void ProjectActions::addTo(QMenu& menu) const
{
    auto add = [&menu](const QString& title, const std::function<void()>& action) {
        QAction* item = menu.addAction(title);
        QObject::connect(item, &QAction::triggered, &menu, [action] {
            if (action) action();
        });
        return item;
    };
    add(QObject::tr("Rename\u2026"), rename);
    add(QObject::tr("Duplicate"), duplicate);
    add(QObject::tr("Show Video in File Manager"), reveal);
    menu.addSeparator();
    QAction* del = add(QObject::tr("Delete\u2026"), remove);
    del->setData(QStringLiteral("destructive"));
}

}  // namespace vt
