// Writes contact sheets of every match-cut style, colour look and thumbnail
// template into the build folder's "reference" folder, for people to look at.
// The test checks that each sheet was written whole.
#include "video/effects/ColorGrader.h"
#include "video/effects/MatchCutRenderer.h"
#include "video/effects/ThumbnailGenerator.h"

#include "support/TalkingHead.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

#include <filesystem>

namespace vt {
namespace {

std::filesystem::path referenceFolder()
{
    const std::filesystem::path folder = std::filesystem::path(VT_BUILD_DIR) / "reference";
    std::filesystem::create_directories(folder);
    return folder;
}

// Pictures in a grid of `columns`, each labelled underneath.
QImage sheet(const std::vector<std::pair<QString, QImage>>& cells, int columns)
{
    const QSize cell = cells.front().second.size();
    const int rows = (static_cast<int>(cells.size()) + columns - 1) / columns;
    QImage out(columns * (cell.width() + 8) + 8, rows * (cell.height() + 30) + 8, QImage::Format_RGB32);
    out.fill(QColor(40, 40, 40));
    QPainter p(&out);
    p.setPen(Qt::white);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int x = 8 + static_cast<int>(i) % columns * (cell.width() + 8);
        const int y = 8 + static_cast<int>(i) / columns * (cell.height() + 30);
        p.drawImage(x, y, cells[i].second);
        p.drawText(QRect(x, y + cell.height(), cell.width(), 24), Qt::AlignCenter, cells[i].first);
    }
    return out;
}

void save(const QImage& image, const char* name)
{
    const auto file = referenceFolder() / name;
    ASSERT_TRUE(image.save(QString::fromStdString(file.string())));
    EXPECT_EQ(QImage(QString::fromStdString(file.string())).size(), image.size());
}

TEST(ContactSheet, MatchCutStyles)
{
    std::vector<std::pair<QString, QImage>> cells;
    for (const auto& [style, name] : enumCases(MatchCut::Style{}))
        for (int i = 0; i < (style == MatchCut::Style::editorial ? 16 : 4); ++i) {
            MatchCut c;
            c.word = "Coffee";
            c.style = style;
            c.duration = 2;
            c.cutsPerSecond = 8;
            c.keywords = std::vector<std::string>{"morning", "espresso", "beans"};
            c.lines = std::vector<std::string>{"Nothing beats the first cup", "Brewed slow and served hot",
                                               "Every bean tells a story"};
            const auto f = MatchCutRenderer::frame(c, i, QSize(270, 480));
            ASSERT_TRUE(f);
            cells.emplace_back(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + " " +
                                   QString::number(i),
                               *f);
        }
    save(sheet(cells, 8), "match-cut-styles.png");
}

TEST(ContactSheet, ColourLooksAndThumbnailTemplates)
{
    const QImage frame = test::talkingHead(480, 270);
    std::vector<std::pair<QString, QImage>> looks;
    for (const ColorLook& look : ColorLook::all()) {
        VideoGrade g;
        g.look = std::string(look.id);
        g.intensity = 1;
        looks.emplace_back(QString::fromUtf8(look.name.data(), static_cast<qsizetype>(look.name.size())),
                           ColorGrader::apply(g, frame, 0));
    }
    save(sheet(looks, 6), "colour-looks.png");

    const ThumbnailCandidate c{Uuid::random(), 0, test::talkingHead(640, 360), 0.8, {0.5, 0.6}};
    std::vector<std::pair<QString, QImage>> thumbs;
    for (const auto& [design, name] : enumCases(ThumbnailTemplate{})) {
        const auto t = ThumbnailGenerator::render(c, design, "Three habits that changed my mornings", QSize(360, 640),
                                                  std::nullopt);
        ASSERT_TRUE(t);
        thumbs.emplace_back(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), *t);
    }
    save(sheet(thumbs, 4), "thumbnail-templates.png");
}

}  // namespace
}  // namespace vt
