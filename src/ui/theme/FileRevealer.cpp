#include "ui/theme/FileRevealer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QSet>
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

}  // namespace

void SystemFileRevealer::reveal(const std::vector<std::filesystem::path>& files)
{
    if (files.empty()) return;
    QStringList uris;
    for (const auto& file : files) uris << QUrl::fromLocalFile(QString::fromStdString(file.string())).toString();
    if (showItemsOverDBus(uris)) return;
    QSet<QString> opened;
    for (const auto& file : files) {
        const QString folder = QString::fromStdString(file.parent_path().string());
        if (opened.contains(folder)) continue;
        opened.insert(folder);
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    }
}

}  // namespace vt
