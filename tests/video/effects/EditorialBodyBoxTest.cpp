// Body text set into the boxes of the editorial page layouts.
#include "video/effects/EditorialMatchCut.h"

#include "captions/CaptionRenderer.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(EditorialBodyBox, SerifCascadeJustifiesItsParagraph)
{
    // Only the layout draws on a transparent canvas; its body box spans
    // x 150…450 from the stripe's left edge, below the stripe.
    auto context = CaptionRenderer::makeContext(QSizeF(600, 600));
    ASSERT_TRUE(context);
    EditorialMatchCut::Ed ed;
    ed.painter = &context->painter();
    ed.size = QSizeF(600, 600);
    ed.cap = 60;
    ed.c = QPointF(300, 300);
    ed.stripe = QRectF(150, 250, 300, 103);
    ed.keywords = {EditorialMatchCut::genericKeywords.begin(), EditorialMatchCut::genericKeywords.end()};
    ed.lines = {EditorialMatchCut::genericLines.begin(), EditorialMatchCut::genericLines.end()};
    ed.body = EditorialMatchCut::defaultBody;
    EditorialMatchCut::templates()[5](ed);
    const QImage page = context->takeImage();
    // The rightmost ink of every line of text but the last in view.
    std::vector<int> ends;
    bool inLine = false;
    for (int row = 600 - 232; row < 600; ++row) {
        int right = -1;
        for (int x = 150; x < 450; ++x)
            if (qAlpha(page.pixel(x, row)) > 0) right = x;
        if (right >= 0 && !inLine) ends.push_back(right);
        else if (right >= 0) ends.back() = std::max(ends.back(), right);
        inLine = right >= 0;
    }
    ASSERT_GE(ends.size(), 4u);
    ends.pop_back();
    for (std::size_t i = 0; i < ends.size(); ++i) EXPECT_GE(ends[i], 445) << "line " << i;
}

}  // namespace
}  // namespace vt
