#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

namespace vt {

namespace {

using Clock = std::chrono::steady_clock;

// Marks a message as a start handing over its arguments, so that anything
// else that connects is turned away.
const QByteArray messageTag = QByteArrayLiteral("vellumtide-open/1");
// The owner acknowledges the arguments; the later start then confirms that it
// has not given up waiting and is leaving. Only the confirmation lets the
// owner open them: a start that gave up has told its user it was refused.
const char acknowledgement = 'k';
const char confirmation = 'c';
// A list of file names is far smaller; more is not one of ours.
constexpr qint64 largestMessage = 1 << 20;
constexpr auto retryPause = std::chrono::milliseconds(100);

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::max<long long>(left, 0));
}

QStringList absolute(const QStringList& arguments)
{
    QStringList out;
    for (const QString& argument : arguments)
        out << (argument.contains(QStringLiteral("://")) ? argument : QFileInfo(argument).absoluteFilePath());
    return out;
}

QString folderText(const std::filesystem::path& root) { return QString::fromStdString(root.string()); }

// Whether the program at the other end runs as this user. Where there is no
// runtime folder of the user's own, the socket lies in the shared temporary
// folder, and another user may have made one by its name first.
bool peerIsThisUser(const QLocalSocket& socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

}  // namespace

SingleInstance::SingleInstance(std::filesystem::path root, QObject* parent) : QObject(parent), root_(std::move(root)) {}

SingleInstance::~SingleInstance() = default;

std::filesystem::path SingleInstance::lockPath(const std::filesystem::path& root) { return root / "instance.lock"; }

QString SingleInstance::socketName(const std::filesystem::path& root)
{
    // Named by a digest of the folder's real path: any spelling of the folder
    // meets the same socket, and the name fits a socket path whatever the
    // folder's length. The runtime folder is the user's own.
    std::error_code ec;
    const auto real = std::filesystem::weakly_canonical(root, ec);
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString((ec ? root : real).string()), QCryptographicHash::Sha1).toHex().left(16);
    const QString name = QStringLiteral("vellumtide-") + QString::fromLatin1(digest);
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? name : runtime + QLatin1Char('/') + name;
}

SingleInstance::Outcome SingleInstance::claim(const QStringList& arguments, std::chrono::milliseconds patience)
{
    const auto deadline = Clock::now() + patience;
    lock_ = std::make_unique<QLockFile>(QString::fromStdString(lockPath(root_).string()));
    // Never stale by age: an owner may run for weeks. A lock whose process
    // has died is stale all the same, and tryLock removes it.
    lock_->setStaleLockTime(0);
    const QStringList message = absolute(arguments);
    for (;;) {
        if (lock_->tryLock(0)) {
            listen();
            return Outcome::owner;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            refusal_ = tr("Vellumtide couldn't take its data folder “%1”: %2")
                           .arg(folderText(root_),
                                lock_->error() == QLockFile::PermissionError ? tr("it may not be written to.")
                                                                             : tr("its lock file could not be made."));
            return Outcome::refused;
        }
        if (handOver(message, deadline)) return Outcome::handedOver;
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(retryPause);
    }
    refusal_ = tr("Vellumtide is already open on the data folder “%1”, but it isn't answering. "
                  "Close it, or wait until it responds, and try again.")
                   .arg(folderText(root_));
    return Outcome::refused;
}

bool SingleInstance::handOver(const QStringList& arguments, Clock::time_point deadline)
{
    QLocalSocket socket;
    socket.connectToServer(socketName(root_));
    if (!socket.waitForConnected(millisecondsUntil(deadline)) || !peerIsThisUser(socket)) return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << messageTag << arguments;
    socket.write(bytes);
    if (!socket.waitForBytesWritten(millisecondsUntil(deadline))) return false;
    // The owner answers once it holds the arguments; until then they may be lost.
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(millisecondsUntil(deadline))) return false;
    char answer = 0;
    if (!socket.getChar(&answer) || answer != acknowledgement) return false;
    // One byte into an empty connection: written at once, even past the deadline.
    socket.putChar(confirmation);
    return socket.flush() || socket.bytesToWrite() == 0;
}

void SingleInstance::listen()
{
    server_ = new QLocalServer(this);
    // Only this user may connect. The socket is made aside and moved into
    // place, which also replaces a dead owner's leftover (holding the lock,
    // any socket by that name is one).
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketName(root_))) {
        // Still the only program on the folder; later starts are refused
        // instead of handing over.
        std::fprintf(stderr, "Vellumtide can't take files from later starts: %s\n", qPrintable(server_->errorString()));
        return;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            // The arguments of this connection, once acknowledged.
            auto held = std::make_shared<std::optional<QStringList>>();
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket, held] { receive(socket, *held); });
            if (socket->bytesAvailable() > 0) receive(socket, *held);
        }
    });
}

void SingleInstance::receive(QLocalSocket* socket, std::optional<QStringList>& held)
{
    if (!held) {
        held = readArguments(socket);
        if (!held) return;
        socket->putChar(acknowledgement);
    }
    char answer = 0;
    if (!socket->getChar(&answer)) return;  // not confirmed yet
    socket->disconnectFromServer();
    if (answer == confirmation) emit handedOver(*held);
}

std::optional<QStringList> SingleInstance::readArguments(QLocalSocket* socket)
{
    // A message starts with the tag as the stream writes it; anything that
    // starts otherwise is turned away as soon as it differs.
    static const QByteArray start = [] {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << messageTag;
        return bytes;
    }();
    const QByteArray head = socket->peek(start.size());
    if (!start.startsWith(head)) {
        socket->abort();
        return std::nullopt;
    }
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    QByteArray tag;
    QStringList arguments;
    in >> tag >> arguments;
    if (in.commitTransaction()) return arguments;
    // Incomplete: wait for the rest, unless it has grown past any message of ours.
    if (in.status() != QDataStream::ReadPastEnd || socket->bytesAvailable() > largestMessage) socket->abort();
    return std::nullopt;
}

}  // namespace vt
