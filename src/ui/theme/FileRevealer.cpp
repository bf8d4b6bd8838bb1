#include "ui/theme/FileRevealer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace vt {

namespace {

bool showItemsOverDBus(const QStringList& uris)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    QDBusConnectionInterface* names = bus.interface();
    if (!names) return false;
    const bool running = names->isServiceRegistered(service);
    const bool startable = names->activatableServiceNames().value().contains(service);
    if (!running && !startable) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"), service,
                                                       QStringLiteral("ShowItems"));
    call << uris << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

// Whether the desktop names an application for folders, in the user's or
// the system's association lists. Without one, opening a folder only prints
// a complaint nobody sees.
bool folderApplicationExists()
{
    QStringList lists;
    const auto add = [&](QStandardPaths::StandardLocation where, const QString& name) {
        for (const QString& dir : QStandardPaths::standardLocations(where)) lists << dir + '/' + name;
    };
    add(QStandardPaths::GenericConfigLocation, QStringLiteral("mimeapps.list"));
    add(QStandardPaths::ApplicationsLocation, QStringLiteral("mimeapps.list"));
    add(QStandardPaths::ApplicationsLocation, QStringLiteral("mimeinfo.cache"));
    for (const QString& path : lists) {
        QFile list(path);
        if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        while (!list.atEnd()) {
            const QString line = QString::fromUtf8(list.readLine()).trimmed();
            if (line.startsWith(QStringLiteral("inode/directory=")) && line.size() > 16) return true;
        }
    }
    return false;
}

}  // namespace

bool SystemFileRevealer::reveal(const std::vector<std::filesystem::path>& files)
{
    if (files.empty()) return true;
    QStringList uris;
    for (const auto& file : files) uris << QUrl::fromLocalFile(QString::fromStdString(file.string())).toString();
    if (showItemsOverDBus(uris)) return true;
    if (!folderApplicationExists()) return false;
    QSet<QString> opened;
    bool shown = true;
    for (const auto& file : files) {
        const QString folder = QString::fromStdString(file.parent_path().string());
        if (opened.contains(folder)) continue;
        opened.insert(folder);
        shown = QDesktopServices::openUrl(QUrl::fromLocalFile(folder)) && shown;
    }
    return shown;
}

QMessageBox* showInFileManager(FileRevealer& revealer, const std::vector<std::filesystem::path>& files, QWidget* near,
                               const QString& what)
{
    if (revealer.reveal(files)) return nullptr;
    auto* alert = new QMessageBox(QMessageBox::Warning, QObject::tr("Couldn't show the %1").arg(what),
                                  QObject::tr("There is no file manager on this computer to show the %1 in.").arg(what),
                                  QMessageBox::Ok, near ? near->window() : nullptr);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::WindowModal);
    alert->open();
    return alert;
}

}  // namespace vt
