#include "platform/net/HttpDownload.h"
#include "platform/net/Sha1.h"
#include "support/LocalHttpServer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace vt;
using vt::test::LocalHttpServer;
using vt::test::TempDir;

TEST(HttpDownload, WritesTheBodyWithRisingProgress)
{
    TempDir served, dir;
    const std::string body(3'000'000, 'x');
    vt::test::writeFile(served / "file.bin", body);
    LocalHttpServer server(served.path());
    std::vector<double> fractions;
    const auto arrived = net::download(server.url("file.bin"), dir / "out", [&](double f) { fractions.push_back(f); });
    EXPECT_EQ(arrived.status, 200);
    EXPECT_EQ(arrived.bytes, body.size());
    EXPECT_EQ(arrived.sha1, net::fileSha1(dir / "out"));
    EXPECT_EQ(vt::test::readFile(dir / "out"), body);
    ASSERT_FALSE(fractions.empty());
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_EQ(fractions.back(), 1.0);

    EXPECT_EQ(net::download(server.url("missing.bin"), dir / "404", nullptr).status, 404);
}

TEST(HttpDownload, DigestsAreTheStandardSha1)
{
    TempDir served, dir;
    // Known answers from the SHA-1 standard's test vectors.
    vt::test::writeFile(served / "million", std::string(1'000'000, 'a'));
    vt::test::writeFile(dir / "abc", "abc");
    vt::test::writeFile(dir / "empty", "");
    LocalHttpServer server(served.path());
    EXPECT_EQ(net::download(server.url("million"), dir / "million", nullptr).sha1, "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
    EXPECT_EQ(net::fileSha1(dir / "million"), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
    EXPECT_EQ(net::fileSha1(dir / "abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(net::fileSha1(dir / "empty"), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(net::fileSha1(dir / "missing"), std::nullopt);
    EXPECT_EQ(net::fileSha1(dir.path()), std::nullopt);  // a folder is not a file's bytes
}

TEST(HttpDownload, CancellationAndNetworkFailuresRemoveThePartialFile)
{
    TempDir served, dir;
    vt::test::writeFile(served / "slow.bin", std::string(1'000'000, 'x'));
    LocalHttpServer server(served.path(), 200'000);  // five seconds for the whole file
    CancelToken cancel;
    std::atomic<int> reports = 0;
    EXPECT_THROW(net::download(server.url("slow.bin"), dir / "out",
                               [&](double f) {
                                   ++reports;
                                   if (f > 0.1) cancel.cancel();
                               },
                               cancel),
                 CancellationError);
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
    EXPECT_GT(reports, 0);

    // Nothing listens on port 1.
    EXPECT_THROW(net::download("http://127.0.0.1:1/x", dir / "refused", nullptr), net::NetError);
    EXPECT_FALSE(std::filesystem::exists(dir / "refused"));
}

TEST(HttpDownload, AFailureSaysWhetherTheNetworkWasOutOfReach)
{
    TempDir dir;
    vt::test::ScopedEnv proxies[] = {{"http_proxy", std::nullopt}, {"HTTP_PROXY", std::nullopt}, {"ALL_PROXY", std::nullopt},
                                     {"all_proxy", std::nullopt}};
    struct Case {
        const char* url;
        net::NetError::Kind kind;
    };
    const Case cases[] = {
        {"http://127.0.0.1:1/x", net::NetError::Kind::offline},          // nothing answers
        {"http://nothing-here.invalid/x", net::NetError::Kind::offline},  // a name that never resolves
        {"unknown-scheme://127.0.0.1/x", net::NetError::Kind::other},
    };
    for (const Case& c : cases) {
        try {
            net::download(c.url, dir / "out", nullptr);
            ADD_FAILURE() << c.url << " downloaded";
        } catch (const net::NetError& e) {
            EXPECT_EQ(e.kind, c.kind) << c.url << ": " << e.what();
            EXPECT_TRUE(std::string(e.what()).starts_with("The download failed: ")) << e.what();
        }
    }
}
