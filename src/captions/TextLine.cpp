#include "captions/TextLine.h"

#include "captions/CaptionContext.h"
#include "captions/InstalledFonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <unordered_map>

namespace vt {
namespace {

// Whether a face draws its glyphs as colour images (emoji) rather than
// outlines; remembered per face, since reading font tables is not free.
bool isColourFont(const QRawFont& font)
{
    static std::shared_mutex mutex;
    static std::unordered_map<QString, bool> known;
    const QString key = font.familyName() + QLatin1Char('|') + font.styleName();
    {
        std::shared_lock lock(mutex);
        if (auto it = known.find(key); it != known.end()) return it->second;
    }
    const bool colour = !font.fontTable("CBLC").isEmpty() || !font.fontTable("COLR").isEmpty()
                        || !font.fontTable("sbix").isEmpty();
    std::unique_lock lock(mutex);
    known.emplace(key, colour);
    return colour;
}

// The lines shaped lately, by text, font, tracking and the fonts registered
// then, shared by every thread. Shaping a word and reading its glyph
// outlines (which runs each glyph's hinting program) is most of the cost of
// laying out a caption, and every frame of a caption lays out the same
// words. Lines with colour glyphs are not kept: their glyph runs belong to
// the thread that made them.
class ShapedLines {
public:
    static ShapedLines& shared()
    {
        static ShapedLines lines;
        return lines;
    }

    static std::string keyOf(const std::string& text, const Font& font, double tracking)
    {
        std::string key = text;
        key += '\0';
        key += font.families.join(QLatin1Char('\0')).toStdString();
        const auto add = [&key](const auto& value) {
            key.append(reinterpret_cast<const char*>(&value), sizeof value);
        };
        add(font.weight);
        add(font.italic);
        add(font.stretch);
        add(font.size);
        add(tracking);
        add(InstalledFonts::registrations());
        return key;
    }

    std::optional<TextLine> find(const std::string& key)
    {
        std::shared_lock lock(mutex_);
        const auto found = lines_.find(key);
        if (found == lines_.end()) return std::nullopt;
        return found->second;
    }

    void store(const std::string& key, const TextLine& line)
    {
        std::unique_lock lock(mutex_);
        if (lines_.size() >= kCapacity) lines_.clear();  // animated letters can shape without end
        lines_.emplace(key, line);
    }

private:
    static constexpr std::size_t kCapacity = 512;
    std::shared_mutex mutex_;
    std::unordered_map<std::string, TextLine> lines_;
};

}  // namespace

TextLine::TextLine(const std::string& text, const Font& font, double tracking)
{
    const std::string key = ShapedLines::keyOf(text, font, tracking);
    if (auto shaped = ShapedLines::shared().find(key)) {
        *this = std::move(*shaped);
        return;
    }
    shape(text, font, tracking);
    if (!colourRuns_.empty()) return;
    // Shared paths are only read from here on; their lazily computed bounds
    // are computed now, before any other thread can read them.
    outline_.boundingRect();
    outline_.controlPointRect();
    ShapedLines::shared().store(key, *this);
}

void TextLine::shape(const std::string& text, const Font& font, double tracking)
{
    QFont qfont = font.qfont();
    if (tracking != 0) qfont.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    QTextLayout layout(QString::fromStdString(text), qfont, &pointPerPixelDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setLineWidth(1e7);
    layout.endLayout();
    if (!line.isValid()) {
        QFontMetricsF metrics(qfont, &pointPerPixelDevice());
        ascent_ = metrics.ascent();
        descent_ = metrics.descent();
        return;
    }
    width_ = line.naturalTextWidth();
    ascent_ = line.ascent();
    descent_ = line.descent();

    addRuns(layout.glyphRuns(), QPointF(0, -ascent_));
}

TextLine TextLine::paragraph(const std::string& text, const Font& font, double maxWidth)
{
    TextLine block;
    QTextLayout layout(QString::fromStdString(text), font.qfont(), &pointPerPixelDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0, widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(maxWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    block.width_ = std::ceil(widest);
    block.descent_ = std::ceil(y);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        block.addRuns(line.glyphRuns(), QPointF((block.width_ - line.naturalTextWidth()) / 2, 0));
    }
    return block;
}

void TextLine::addRuns(const QList<QGlyphRun>& runs, QPointF shift)
{
    QPainterPath glyphs;  // y down
    for (QGlyphRun run : runs) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        QList<QPointF> positions = run.positions();
        glyphCount_ += static_cast<int>(indexes.size());
        for (QPointF& p : positions) p += shift;
        if (isColourFont(raw)) {
            run.setPositions(positions);
            colourRuns_.push_back(run);
            continue;
        }
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            QPainterPath glyph = raw.pathForGlyph(indexes[i]);
            if (!glyph.isEmpty()) glyphs.addPath(glyph.translated(positions[i]));
        }
    }
    glyphs.setFillRule(Qt::WindingFill);
    outline_.addPath(QTransform::fromScale(1, -1).map(glyphs));
    outline_.setFillRule(Qt::WindingFill);
}

void TextLine::fill(QPainter& painter, QPointF origin, const QBrush& brush) const
{
    fillPathBlended(painter, outline_.translated(origin), brush);
    if (colourRuns_.empty()) return;
    painter.save();
    painter.translate(origin);
    painter.scale(1, -1);
    for (const QGlyphRun& run : colourRuns_) painter.drawGlyphRun(QPointF(0, 0), run);
    painter.restore();
}

void TextLine::stroke(QPainter& painter, QPointF origin, const QPen& pen) const
{
    strokePathBlended(painter, outline_.translated(origin), pen);
}

}  // namespace vt
