// Draws every built-in look once with the caption renderer and lays the
// results out as one contact sheet (presets-contact-sheet.png in this test's
// build folder) for a person to look over.

#include "captions/CaptionRenderer.h"
#include "captions/presets/StylePresets.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

using namespace vt;

namespace {

constexpr double kWordSeconds = 0.5;

// The look's own sample words, a word between asterisks emphasised; looks
// without one say a plain line cut to their words per caption.
CaptionGroup sampleGroup(const CaptionStyle& look)
{
    std::vector<std::string> pieces;
    std::istringstream in(look.sampleText.value_or("make every single word count"));
    for (std::string piece; in >> piece;) pieces.push_back(piece);
    if (!look.sampleText) pieces.resize(std::min<std::size_t>(pieces.size(), std::max<std::int64_t>(1, look.maxWordsPerGroup)));

    CaptionGroup group;
    for (const auto& piece : pieces) {
        TimedWord word;
        word.emphasized = piece.size() >= 3 && piece.front() == '*' && piece.back() == '*';
        word.text = word.emphasized ? piece.substr(1, piece.size() - 2) : piece;
        word.start = kWordSeconds * static_cast<double>(group.words.size());
        word.end = word.start + kWordSeconds;
        group.words.push_back(word);
    }
    group.words.back().endsSentence = true;
    group.start = 0;
    group.end = group.words.back().end + 1;
    return group;
}

// Mid-way through the last word: every entrance has run and the last word
// is the one being spoken.
double drawTime(const CaptionGroup& group) { return group.words.back().start + 0.35; }

int visiblePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) count += qAlpha(row[x]) > 16;
    }
    return count;
}

}  // namespace

TEST(PresetDrawing, EveryLookDrawsSomethingTheSameWayTwice)
{
    const QSizeF frame(360, 640);
    const int columns = 13, cellW = 180, cellH = 320, labelH = 18;
    const auto& looks = StylePresets::all();
    const int rows = (static_cast<int>(looks.size()) + columns - 1) / columns;
    QImage sheet(columns * cellW, rows * (cellH + labelH), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(24, 24, 28));
    QPainter sheetPainter(&sheet);
    sheetPainter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont labelFont;
    labelFont.setPixelSize(12);
    sheetPainter.setFont(labelFont);

    for (std::size_t i = 0; i < looks.size(); ++i) {
        const CaptionStyle& look = looks[i];
        const std::vector<CaptionGroup> groups{sampleGroup(look)};
        const double time = drawTime(groups.front());

        const auto first = CaptionRenderer::captionImage(groups, look, time, frame);
        const auto second = CaptionRenderer::captionImage(groups, look, time, frame);
        ASSERT_TRUE(first && second) << look.id;
        EXPECT_EQ(first->size(), QSize(360, 640)) << look.id;
        EXPECT_GT(visiblePixels(*first), 500) << look.id;
        EXPECT_TRUE(*first == *second) << look.id << " draws differently the second time";

        const int col = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        const QRect cell(col * cellW, row * (cellH + labelH), cellW, cellH);
        sheetPainter.fillRect(cell, QColor(104, 112, 122));
        sheetPainter.fillRect(cell.adjusted(0, cellH / 2, 0, 0), QColor(196, 190, 178));
        sheetPainter.drawImage(cell, *first);
        sheetPainter.setPen(Qt::white);
        sheetPainter.drawText(QRect(cell.left() + 4, cell.bottom() + 1, cellW - 8, labelH), Qt::AlignLeft | Qt::AlignVCenter,
                              QString::fromStdString(std::to_string(i) + " " + look.id));
    }
    sheetPainter.end();
    EXPECT_TRUE(sheet.save(QStringLiteral(PRESETS_SHEET_DIR "/presets-contact-sheet.png")));
}
