#include "ui/inspector/SavePanel.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace vt;

namespace {

// Runs the save panel and answers it, once it is up, with `answer`.
std::optional<std::filesystem::path> answered(const QString& name, const QString& filter,
                                              std::function<void(QFileDialog&)> answer)
{
    std::function<void()> whenShown = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return QTimer::singleShot(10, whenShown);
        answer(*dialog);
    };
    QTimer::singleShot(0, whenShown);
    return ui::savePanel(name, filter);
}

}  // namespace

TEST(SavePanel, ChosenFileKeepsTheAllowedTypeAndCancelGivesNone)
{
    test::TempDir dir;
    struct Case {
        const char* typed;  // absent: the panel is cancelled
        const char* suggested;
        const char* extension;
        std::optional<const char*> expected;
    };
    const Case cases[] = {
        {"Trip", "Trip-captioned.mp4", "mp4", "Trip.mp4"},
        {"Trip-audio", "Trip-audio.m4a", "m4a", "Trip-audio.m4a"},
        {"Trip.mp4", "Trip-captioned.mp4", "mp4", "Trip.mp4"},
        {nullptr, "Trip.vtt", "vtt", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.suggested);
        auto chosen = answered(c.suggested, ui::typeFilterFor(c.extension), [&](QFileDialog& dialog) {
            if (!c.typed) return dialog.reject();
            dialog.selectFile(QString::fromStdString((dir / c.typed).string()));
            static_cast<QDialog&>(dialog).accept();  // public there, and reaches the panel's own
        });
        if (c.expected)
            EXPECT_EQ(chosen, dir / *c.expected);
        else
            EXPECT_FALSE(chosen);
    }
}
