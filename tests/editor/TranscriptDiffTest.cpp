// The shortest edit script between two lists of word keys.

#include "editor/TranscriptDiff.h"

#include <gtest/gtest.h>

#include <random>

namespace vt {
namespace {

std::vector<std::string> split(const std::string& s)
{
    std::vector<std::string> out;
    for (char c : s) out.emplace_back(1, c);
    return out;
}

std::size_t commonLength(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    std::vector<std::vector<std::size_t>> t(a.size() + 1, std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            t[i][j] = a[i - 1] == b[j - 1] ? t[i - 1][j - 1] + 1 : std::max(t[i - 1][j], t[i][j - 1]);
    return t[a.size()][b.size()];
}

template <class T>
std::vector<T> without(const std::vector<T>& items, const std::vector<bool>& drop)
{
    std::vector<T> kept;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!drop[i]) kept.push_back(items[i]);
    return kept;
}

std::size_t count(const std::vector<bool>& marks) { return static_cast<std::size_t>(std::count(marks.begin(), marks.end(), true)); }

// Every script is valid (what stays of both lists is the same) and as short
// as the longest common subsequence allows.
TEST(TranscriptDiff, IsAValidShortestScriptForRandomLists)
{
    std::mt19937 random(12);
    for (int round = 0; round < 400; ++round) {
        auto make = [&] {
            std::vector<std::string> keys(random() % 14);
            for (auto& k : keys) k = std::string(1, static_cast<char>('a' + random() % 4));
            return keys;
        };
        const auto a = make(), b = make();
        const TranscriptDiff d = TranscriptDiff::between(a, b);
        ASSERT_EQ(without(a, d.removed), without(b, d.inserted));
        ASSERT_EQ(count(d.removed) + count(d.inserted), a.size() + b.size() - 2 * commonLength(a, b));
    }
}

// Of several equally short scripts, the same one every time: repeated keys
// at the edge of a change keep their first members, and where a removal and
// an insertion could trade places the removal comes first.
TEST(TranscriptDiff, BreaksTiesOneWay)
{
    struct Case {
        std::string from, to, removed, inserted;  // marks per position: 'x' for marked
    };
    const std::vector<Case> cases{
        {"aaa", "aa", "..x", ".."},
        {"aa", "aaa", "..", "..x"},
        {"baaac", "baac", "...x.", "...."},
        {"ab", "ba", "x.", ".x"},
        {"abc", "xyz", "xxx", "xxx"},
        {"", "ab", "", "xx"},
        {"ab", "", "xx", ""},
    };
    auto marks = [](const std::vector<bool>& m) {
        std::string s;
        for (bool b : m) s += b ? 'x' : '.';
        return s;
    };
    for (const Case& c : cases) {
        const TranscriptDiff d = TranscriptDiff::between(split(c.from), split(c.to));
        EXPECT_EQ(marks(d.removed), c.removed) << c.from << " → " << c.to;
        EXPECT_EQ(marks(d.inserted), c.inserted) << c.from << " → " << c.to;
    }
}

}  // namespace
}  // namespace vt
