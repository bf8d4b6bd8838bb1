#pragma once
// One running program per data folder, so that two never edit the same
// projects and the last save silently wins.
//
// The program that owns the folder holds a lock file in it and listens on a
// local socket named after the folder. A later start on the same folder
// hands its file arguments to the owner over that socket and leaves: the
// owner acknowledges them, and opens them only once the start, still
// waiting, confirms that it has its answer. When it can neither own the folder nor reach
// its owner, it is refused and says why; it must then not open the store.
// A lock left by an owner that has died is taken over, and so is its socket.

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace vt {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Outcome { owner, handedOver, refused };

    explicit SingleInstance(std::filesystem::path root, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Owns the folder, or hands `arguments` to its owner: file paths are sent
    // absolute (the owner works in another folder), anything with "://" as it
    // is. An owner that is still starting or is busy is waited for, up to
    // `patience` in all. Blocks; call it once, before the event loop runs.
    Outcome claim(const QStringList& arguments, std::chrono::milliseconds patience = std::chrono::seconds(10));
    // Why claim() refused, for the user.
    const QString& refusal() const { return refusal_; }

    // The lock file in the folder and the socket named after it.
    static std::filesystem::path lockPath(const std::filesystem::path& root);
    static QString socketName(const std::filesystem::path& root);

signals:
    // For the owner: the arguments of a later start, which has already left.
    // Possibly none: a bare second start asks only to be shown the window.
    void handedOver(const QStringList& arguments);

private:
    bool handOver(const QStringList& arguments, std::chrono::steady_clock::time_point deadline);
    void listen();
    // Reads what a connection sent; `held` keeps its acknowledged arguments
    // until it confirms them.
    void receive(QLocalSocket* socket, std::optional<QStringList>& held);
    // A whole message's arguments; none while it is incomplete, or when it
    // is not one of ours (the connection is then dropped).
    static std::optional<QStringList> readArguments(QLocalSocket* socket);

    std::filesystem::path root_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    QString refusal_;
};

}  // namespace vt
