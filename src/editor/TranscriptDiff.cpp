#include "editor/TranscriptDiff.h"

#include <algorithm>
#include <cstddef>

namespace vt {

namespace {

using Index = std::ptrdiff_t;

class Differ {
public:
    Differ(const std::vector<std::string>& a, const std::vector<std::string>& b, TranscriptDiff& out)
        : a_(a), b_(b), out_(out)
    {
    }

    // Marks the removals and insertions that turn a[a0, a1) into b[b0, b1).
    void run(Index a0, Index a1, Index b0, Index b1)
    {
        while (a0 < a1 && b0 < b1 && a_[a0] == b_[b0]) ++a0, ++b0;
        while (a0 < a1 && b0 < b1 && a_[a1 - 1] == b_[b1 - 1]) --a1, --b1;
        if (a0 == a1) {
            for (Index j = b0; j < b1; ++j) out_.inserted[static_cast<std::size_t>(j)] = true;
            return;
        }
        if (b0 == b1) {
            for (Index i = a0; i < a1; ++i) out_.removed[static_cast<std::size_t>(i)] = true;
            return;
        }
        const auto [x, y] = split(a0, a1, b0, b1);
        run(a0, a0 + x, b0, b0 + y);
        run(a0 + x, a1, b0 + y, b1);
    }

private:
    // A point that a shortest path through the stretch passes after about
    // half of its edits, found by searching from both corners at once until
    // the two searches meet on a diagonal. The stretch differs at both ends
    // (run() matches equal ends first), so the point is never a corner and
    // both halves are smaller problems. Paths that leave the grid narrow the
    // range of diagonals searched.
    std::pair<Index, Index> split(Index a0, Index a1, Index b0, Index b1) const
    {
        const Index n = a1 - a0, m = b1 - b0, delta = n - m;
        const bool odd = delta % 2 != 0;
        const Index maxD = (n + m + 1) / 2;
        const Index offset = maxD, length = 2 * maxD + 2;
        std::vector<Index> forward(static_cast<std::size_t>(length), -1), backward(forward);
        auto at = [&](std::vector<Index>& v, Index k) -> Index& { return v[static_cast<std::size_t>(offset + k)]; };
        auto inRange = [&](Index k) { return offset + k >= 0 && offset + k < length; };
        at(forward, 1) = 0;
        at(backward, 1) = 0;
        Index fStart = 0, fEnd = 0, bStart = 0, bEnd = 0;

        for (Index d = 0; d < maxD; ++d) {
            for (Index k = -d + fStart; k <= d - fEnd; k += 2) {
                Index x = furthest(forward, k, d, at);
                Index y = x - k;
                while (x < n && y < m && a_[a0 + x] == b_[b0 + y]) ++x, ++y;
                at(forward, k) = x;
                if (x > n)
                    fEnd += 2;
                else if (y > m)
                    fStart += 2;
                else if (odd && inRange(delta - k) && at(backward, delta - k) != -1
                         && x >= n - at(backward, delta - k))
                    return {x, y};
            }
            for (Index k = -d + bStart; k <= d - bEnd; k += 2) {
                Index x = furthest(backward, k, d, at);
                Index y = x - k;
                while (x < n && y < m && a_[a1 - 1 - x] == b_[b1 - 1 - y]) ++x, ++y;
                at(backward, k) = x;
                if (x > n)
                    bEnd += 2;
                else if (y > m)
                    bStart += 2;
                else if (!odd && inRange(delta - k) && at(forward, delta - k) != -1) {
                    const Index fx = at(forward, delta - k);
                    if (fx >= n - x) return {fx, fx - (delta - k)};
                }
            }
        }
        return {n, 0};  // not reached for a stretch that differs at both ends
    }

    // The x a path on diagonal k reaches with its d-th edit: a removal (from
    // diagonal k - 1) unless an insertion (from k + 1) reaches strictly further.
    template <class At>
    static Index furthest(std::vector<Index>& v, Index k, Index d, const At& at)
    {
        if (k == -d || (k != d && at(v, k - 1) < at(v, k + 1))) return at(v, k + 1);
        return at(v, k - 1) + 1;
    }

    const std::vector<std::string>& a_;
    const std::vector<std::string>& b_;
    TranscriptDiff& out_;
};

}  // namespace

bool TranscriptDiff::empty() const
{
    return std::none_of(removed.begin(), removed.end(), [](bool b) { return b; })
        && std::none_of(inserted.begin(), inserted.end(), [](bool b) { return b; });
}

TranscriptDiff TranscriptDiff::between(const std::vector<std::string>& from, const std::vector<std::string>& to)
{
    TranscriptDiff diff;
    diff.removed.assign(from.size(), false);
    diff.inserted.assign(to.size(), false);
    Differ(from, to, diff)
        .run(0, static_cast<std::ptrdiff_t>(from.size()), 0, static_cast<std::ptrdiff_t>(to.size()));
    return diff;
}

}  // namespace vt
