#include "ui/theme/OpenPanel.h"

#include "model/DataRoot.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vt::OpenPanel {
namespace {

QString key(Kind kind)
{
    switch (kind) {
    case Kind::audio: return QStringLiteral("openPanelFolder/audio");
    case Kind::picture: return QStringLiteral("openPanelFolder/picture");
    case Kind::video: break;
    }
    return QStringLiteral("openPanelFolder/video");
}

QSettings store() { return QSettings(QString::fromStdString(DataRoot::settingsFile().string()), QSettings::IniFormat); }

QStandardPaths::StandardLocation userFolder(Kind kind)
{
    switch (kind) {
    case Kind::audio: return QStandardPaths::MusicLocation;
    case Kind::picture: return QStandardPaths::PicturesLocation;
    case Kind::video: break;
    }
    return QStandardPaths::MoviesLocation;
}

}  // namespace

QString startFolder(Kind kind)
{
    const QString last = store().value(key(kind)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString own = QStandardPaths::writableLocation(userFolder(kind));
    if (!own.isEmpty() && QFileInfo(own).isDir()) return own;
    return QDir::homePath();
}

void remember(Kind kind, const QString& chosenFile)
{
    if (chosenFile.isEmpty()) return;
    QSettings settings = store();
    settings.setValue(key(kind), QFileInfo(chosenFile).absolutePath());
    settings.sync();
}

QString chooseFile(QWidget* parent, const QString& title, const QString& filter, Kind kind)
{
    const QString file = QFileDialog::getOpenFileName(parent, title, startFolder(kind), filter);
    remember(kind, file);
    return file;
}

}  // namespace vt::OpenPanel
