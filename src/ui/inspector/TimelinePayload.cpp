#include "ui/inspector/TimelinePayload.h"

#include "platform/JsonCoding.h"

#include <QMimeData>

namespace vt::ui {

namespace {

const QString prefix = QStringLiteral("vellumtide-timeline:");

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QString motionPayload(MotionEffect::Kind kind) { return prefix + QStringLiteral("motion:") + text(json::enumText(kind)); }

QString matchCutPayload(MatchCut::Style style, std::int64_t seed, const QString& word)
{
    return prefix + QStringLiteral("matchcut:") + text(json::enumText(style)) + ':' + QString::number(seed) + ':' + word;
}

QMimeData* payloadData(const QString& payload)
{
    auto* data = new QMimeData;
    data->setText(payload);
    return data;
}

}  // namespace vt::ui
