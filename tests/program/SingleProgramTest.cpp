// The program started as a user starts it, twice on one data folder: the
// real executable, offscreen, with the test's own data and settings folders.

#include "../app/AppTestSupport.h"
#include "app/SingleInstance.h"
#include "model/DataRoot.h"
#include "model/ProjectStore.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <signal.h>

namespace vt {
namespace {

// One started program, stopped for good when it goes.
class Program {
public:
    explicit Program(const QStringList& arguments, const std::filesystem::path& workingFolder = {})
    {
        // The environment as the test set it: its data and settings folders.
        process_.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        if (!workingFolder.empty()) process_.setWorkingDirectory(QString::fromStdString(workingFolder.string()));
        process_.start(QStringLiteral(VELLUMTIDE_PROGRAM), arguments);
        EXPECT_TRUE(process_.waitForStarted(30000));
    }
    ~Program()
    {
        if (process_.state() == QProcess::NotRunning) return;
        send(SIGCONT);
        process_.kill();
        process_.waitForFinished(30000);
    }

    void send(int signal) { ::kill(pid_t(process_.processId()), signal); }
    bool running() const { return process_.state() == QProcess::Running; }
    bool exitsWith(int code)
    {
        return process_.waitForFinished(30000) && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == code;
    }
    bool diesWhenKilled()
    {
        send(SIGKILL);
        return process_.waitForFinished(30000);
    }
    // What it has said on its error output so far.
    const QString& said()
    {
        said_ += QString::fromUtf8(process_.readAllStandardError());
        return said_;
    }

private:
    QProcess process_;
    QString said_;
};

// It holds the folder: its socket takes connections.
bool listens(const std::filesystem::path& root)
{
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::socketName(root));
    return socket.waitForConnected(1000);
}

// Its event loop runs: it has answered a bare start, which asks only for its
// window. A later start then gets its answer at once, however long the
// program took to come up on a loaded machine.
bool answers(const std::filesystem::path& root)
{
    if (!QTest::qWaitFor([&] { return listens(root); }, 30000)) return false;
    SingleInstance bare(root);
    return bare.claim({}, std::chrono::seconds(60)) == SingleInstance::Outcome::handedOver;
}

class SingleProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        video = test::makeClip(home.dir / "talk.mp4", test::speak(home.dir / "voice.wav", "Hello there, this is a test."), 2);
        root = DataRoot::root();
    }
    // A killed program leaves its socket behind, outside the test's folder.
    void TearDown() override { QLocalServer::removeServer(SingleInstance::socketName(root)); }

    bool waitForProjects(std::size_t count)
    {
        return QTest::qWaitFor([&] { return ProjectStore::loadAll().size() == count; }, 60000);
    }

    test::IsolatedHome home;
    std::filesystem::path video;
    std::filesystem::path root;
};

TEST_F(SingleProgram, ALaterStartHandsItsFileToTheRunningProgramWhichImportsIt)
{
    Program first({});
    ASSERT_TRUE(answers(root)) << first.said().toStdString();

    // Opened with a path relative to where it was started.
    Program second({"talk.mp4"}, home.dir.path());
    EXPECT_TRUE(second.exitsWith(0)) << second.said().toStdString();

    ASSERT_TRUE(waitForProjects(1)) << first.said().toStdString();
    EXPECT_EQ(ProjectStore::loadAll().front().videoPath, video.string());
    EXPECT_TRUE(first.running());
}

TEST_F(SingleProgram, AStartBesideAHungProgramIsRefusedAndACrashedOneIsTakenOver)
{
    auto first = std::make_unique<Program>(QStringList{});
    ASSERT_TRUE(QTest::qWaitFor([&] { return listens(root); }, 30000)) << first->said().toStdString();
    first->send(SIGSTOP);
    {
        Program second({QString::fromStdString(video.string())});
        // Said on its error output, then in a dialog that nobody here closes.
        ASSERT_TRUE(QTest::qWaitFor([&] { return second.said().contains("isn't answering"); }, 60000)) << second.said().toStdString();
        EXPECT_TRUE(second.running());
    }
    EXPECT_TRUE(ProjectStore::loadAll().empty());  // the refused start imported nothing

    // A crash leaves the lock file and the socket behind.
    ASSERT_TRUE(first->diesWhenKilled());
    first.reset();
    EXPECT_TRUE(std::filesystem::exists(SingleInstance::lockPath(root)));
    Program third({QString::fromStdString(video.string())});
    EXPECT_TRUE(QTest::qWaitFor([&] { return listens(root); }, 30000)) << third.said().toStdString();
    ASSERT_TRUE(waitForProjects(1)) << third.said().toStdString();
    EXPECT_TRUE(third.running());
}

}  // namespace
}  // namespace vt
