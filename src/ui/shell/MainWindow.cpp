#include "ui/shell/MainWindow.h"

#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "ui/shell/AppCommands.h"
#include "ui/shell/RootView.h"
#include "ui/theme/OpenPanel.h"
#include "ui/theme/Theme.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QMimeDatabase>
#include <QUrl>

namespace vt {

MainWindow::MainWindow(AppModel& app, QWidget* parent) : QMainWindow(parent), app_(app)
{
    setWindowTitle(QStringLiteral("Vellumtide"));
    Appearances::apply(AppSettings::string(AppSettings::appearanceKey).value_or("system"));
    root_ = new RootView(app, this);
    root_->setMinimumSize(minimumContentSize);
    setCentralWidget(root_);
    commands_ = new AppCommands(app, *menuBar(), [](const QString& raw) { Appearances::apply(raw.toStdString()); });
    resize(defaultSize.width(), defaultSize.height() + menuBar()->sizeHint().height());

    app.setPickVideo([this]() -> std::optional<std::filesystem::path> {
        QFileDialog dialog(this, tr("Open Video"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        // One filter for every video type: a filter per type would show
        // only the first type's files until the user picks another.
        QStringList patterns;
        const QMimeDatabase types;
        for (const std::string& type : AppModel::videoTypes())
            for (const QString& glob : types.mimeTypeForName(QString::fromStdString(type)).globPatterns())
                if (!patterns.contains(glob)) patterns << glob;
        dialog.setNameFilter(tr("Videos (%1)").arg(patterns.join(' ')));
        dialog.setDirectory(OpenPanel::startFolder(OpenPanel::Kind::video));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        OpenPanel::remember(OpenPanel::Kind::video, dialog.selectedFiles().front());
        return std::filesystem::path(dialog.selectedFiles().front().toStdString());
    });
}

void MainWindow::openArgument(const QString& argument)
{
    const QUrl url = argument.contains("://") ? QUrl(argument) : QUrl::fromLocalFile(argument);
    if (!url.isLocalFile()) return;
    app_.importVideo(std::filesystem::path(url.toLocalFile().toStdString()));
}

}  // namespace vt
