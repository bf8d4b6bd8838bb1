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

#include <atomic>
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
