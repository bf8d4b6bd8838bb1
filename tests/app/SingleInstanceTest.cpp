// Two claims on one data folder in one test process, over the real lock file
// and local socket. (The program's own starts are tested in tests/program.)

#include "app/SingleInstance.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace vt {
namespace {

using namespace std::chrono_literals;
using Outcome = SingleInstance::Outcome;

// A later start's claim, on a thread of its own: the owner can only answer
// while this thread's event loop runs.
Outcome claimBeside(const std::filesystem::path& root, const QStringList& arguments)
{
    std::atomic<bool> done{false};
    Outcome outcome = Outcome::refused;
    std::thread later([&] {
        SingleInstance instance(root);
        outcome = instance.claim(arguments, 30s);
        done = true;
    });
    const bool finished = QTest::qWaitFor([&] { return done.load(); }, 60000);
    later.join();
    EXPECT_TRUE(finished);
    return outcome;
}

TEST(SingleInstance, ALaterStartHandsItsFilesToTheOwnerAsAbsolutePathsAndLeaves)
{
    test::TempDir root;
    SingleInstance owner(root.path());
    ASSERT_EQ(owner.claim({"first.mp4"}), Outcome::owner);
    EXPECT_TRUE(std::filesystem::exists(SingleInstance::lockPath(root.path())));
    QSignalSpy handed(&owner, &SingleInstance::handedOver);

    // Something else that connects is turned away without a word.
    QLocalSocket stranger;
    stranger.connectToServer(SingleInstance::socketName(root.path()));
    ASSERT_TRUE(stranger.waitForConnected(30000));
    stranger.write("GET / HTTP/1.1\r\n\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return stranger.state() == QLocalSocket::UnconnectedState; }, 30000));
    EXPECT_EQ(stranger.readAll(), QByteArray());

    const QStringList given{"clip one.mp4", "/videos/two.mov", "https://example.com/three.mp4"};
    EXPECT_EQ(claimBeside(root.path(), given), Outcome::handedOver);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handed.size() == 1; }, 30000));
    const QStringList expected{QDir::current().absoluteFilePath("clip one.mp4"), "/videos/two.mov", "https://example.com/three.mp4"};
    EXPECT_EQ(handed.at(0).at(0).toStringList(), expected);

    // A bare start asks only for the window.
    EXPECT_EQ(claimBeside(root.path(), {}), Outcome::handedOver);
    ASSERT_TRUE(QTest::qWaitFor([&] { return handed.size() == 2; }, 30000));
    EXPECT_EQ(handed.at(1).at(0).toStringList(), QStringList());

    // Another folder has an owner of its own.
    test::TempDir other;
    SingleInstance elsewhere(other.path());
    EXPECT_EQ(elsewhere.claim({}), Outcome::owner);
}

TEST(SingleInstance, FilesOfAStartThatGaveUpWaitingAreNotOpenedWhenTheOwnerComesBack)
{
    test::TempDir root;
    SingleInstance owner(root.path());
    ASSERT_EQ(owner.claim({}), Outcome::owner);
    QSignalSpy handed(&owner, &SingleInstance::handedOver);

    // The owner is busy (its event loop does not run) for longer than the
    // later start waits: that start tells its user it was refused ...
    Outcome outcome = Outcome::owner;
    std::thread impatient([&] { outcome = SingleInstance(root.path()).claim({"/videos/refused.mp4"}, 300ms); });
    impatient.join();
    EXPECT_EQ(outcome, Outcome::refused);

    // ... so the owner, once free, must not open its files behind its back.
    EXPECT_EQ(claimBeside(root.path(), {"/videos/later.mp4"}), Outcome::handedOver);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !handed.isEmpty(); }, 30000));
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed.at(0).at(0).toStringList(), QStringList{"/videos/later.mp4"});
}

// Another user's program listening at `path`, in a process of its own: it
// answers every message as the owner would and keeps what it was told.
class Squatter {
public:
    Squatter(uid_t user, const std::string& path)
    {
        int pipe[2];
        if (::pipe2(pipe, O_NONBLOCK | O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
        heard_ = pipe[0];
        child_ = ::fork();
        if (child_ == 0) listenAs(user, path, pipe[1]);
        ::close(pipe[1]);
    }
    ~Squatter()
    {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, nullptr, 0);
        ::close(heard_);
    }
    Squatter(const Squatter&) = delete;
    Squatter& operator=(const Squatter&) = delete;

    std::string told()
    {
        char bytes[4096];
        const ssize_t got = ::read(heard_, bytes, sizeof bytes);
        return got > 0 ? std::string(bytes, std::size_t(got)) : std::string();
    }

private:
    // Only plain system calls here: the child is a copy of a threaded process.
    [[noreturn]] static void listenAs(uid_t user, const std::string& path, int heard)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::setgid(user) != 0 || ::setuid(user) != 0 || listener < 0 ||
            ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::chmod(path.c_str(), 0777) != 0 ||
            ::listen(listener, 8) != 0)
            ::_exit(1);
        for (;;) {
            const int client = ::accept(listener, nullptr, nullptr);
            char bytes[4096];
            const ssize_t got = ::read(client, bytes, sizeof bytes);
            if (got > 0 && ::write(heard, bytes, std::size_t(got)) < 0) ::_exit(1);
            if (::write(client, "k", 1) < 0) ::_exit(1);
            ::close(client);
        }
    }

    pid_t child_ = -1;
    int heard_ = -1;
};

TEST(SingleInstance, ALaterStartTellsNothingToASocketOfAnotherUser)
{
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    constexpr uid_t nobody = 65534;
    // Without a runtime folder of its own (someone else took the name of
    // its fallback), the socket lies in the shared temporary folder, where
    // anyone can make one by that name first.
    test::TempDir shared;
    std::filesystem::permissions(shared.path(), std::filesystem::perms::all);
    test::ScopedEnv noRuntime{"XDG_RUNTIME_DIR", std::nullopt};
    test::ScopedEnv tmp{"TMPDIR", shared.path().string()};
    const auto runtime = shared / (std::string("runtime-") + ::getpwuid(::geteuid())->pw_name);
    std::filesystem::create_directory(runtime);
    ASSERT_EQ(::chown(runtime.c_str(), nobody, nobody), 0);
    test::TempDir root;
    const QString name = SingleInstance::socketName(root.path());
    ASSERT_FALSE(name.contains('/')) << name.toStdString();

    const auto socket = shared / name.toStdString();
    Squatter squatter(nobody, socket.string());
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(socket); }, 30000));
    QLockFile owner(QString::fromStdString(SingleInstance::lockPath(root.path()).string()));
    ASSERT_TRUE(owner.tryLock(0));

    SingleInstance later(root.path());
    EXPECT_EQ(later.claim({"/home/someone/private/plans.mp4"}, 500ms), Outcome::refused);
    EXPECT_EQ(squatter.told(), "");
}

TEST(SingleInstance, AnOwnerThatCannotBeReachedRefusesTheLaterStartWithoutTakingTheFolder)
{
    test::TempDir root;
    // A live owner holds the lock ...
    QLockFile held(QString::fromStdString(SingleInstance::lockPath(root.path()).string()));
    ASSERT_TRUE(held.tryLock(0));

    // ... but listens nowhere,
    SingleInstance later(root.path());
    EXPECT_EQ(later.claim({"clip.mp4"}, 300ms), Outcome::refused);
    EXPECT_TRUE(later.refusal().contains("isn't answering")) << later.refusal().toStdString();
    EXPECT_TRUE(later.refusal().contains(QString::fromStdString(root.path().string())));

    // ... or takes the connection and never answers.
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(SingleInstance::socketName(root.path())));
    SingleInstance again(root.path());
    EXPECT_EQ(again.claim({"clip.mp4"}, 300ms), Outcome::refused);
    EXPECT_TRUE(again.refusal().contains("isn't answering"));
    EXPECT_TRUE(held.isLocked());

    // Once the owner lets go, the next start owns the folder.
    silent.close();
    held.unlock();
    SingleInstance next(root.path());
    EXPECT_EQ(next.claim({}, 300ms), Outcome::owner);
}

}  // namespace
}  // namespace vt
