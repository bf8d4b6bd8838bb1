#pragma once
// The COLOR group of the Enhance tab: look cards (previewed on the video
// while the pointer rests on one), the look's intensity, fourteen grade
// sliders in four collapsible sections with their resets, auto-enhance,
// hold-to-compare and reset. No change here records an undo step. Main
// thread only.

#include "model/VideoGrade.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QToolButton;
class QPushButton;
class QLabel;

namespace vt {
class EditorModel;
class GradeActions;
struct ColorLook;
}

namespace vt::ui {

class DisclosureGroup;
class DisclosureSection;
class HoldButton;
class InlineButton;
class InspectorGroup;
class ValueRow;

// One slider of a grade section: its title, field and stored range.
struct GradeSlider {
    QString title;
    double VideoGrade::*field;
    double lower;
    double upper;
};

// A look's card: its picture on the poster frame, its name, the intensity
// badge on the chosen look.
class LookCard : public QWidget {
    Q_OBJECT
public:
    LookCard(EditorModel& editor, GradeActions& grade, const ColorLook& look, QWidget* parent = nullptr);
    // Asks for the card's picture when the cache has none, and shows the selection.
    void refresh();
    // Redraws the selection and its badge (with the badge's help).
    void showSelection();
    const std::string& lookID() const { return id_; }
    bool isSelected() const;
    // "80%" for 0.8: rounded half away from zero.
    static QString badgeText(double intensity);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    EditorModel& editor_;
    GradeActions& grade_;
    std::string id_;
    QString name_;
};

class ColorGroup : public QWidget {
    Q_OBJECT
public:
    ColorGroup(EditorModel& editor, GradeActions& grade, QWidget* parent = nullptr);

    // The four sections' rows, in order: Light, Color, Detail, Effects.
    static const std::vector<std::pair<QString, std::vector<GradeSlider>>>& sections();
    // "No changes", or "Exposure +20, Contrast -10".
    static QString summary(const std::vector<GradeSlider>& rows, const VideoGrade& grade);

    struct Section {
        DisclosureSection* section = nullptr;
        std::vector<ValueRow*> rows;
        QWidget* resetRow = nullptr;
        InlineButton* reset = nullptr;
    };
    struct Parts {
        QToolButton* autoEnhance = nullptr;
        HoldButton* compare = nullptr;
        QToolButton* reset = nullptr;
        std::vector<LookCard*> cards;
        QLabel* analyzing = nullptr;
        ValueRow* intensity = nullptr;
        std::vector<Section> sections;
    };
    const Parts& parts() const { return parts_; }
    // The cards' width in a grid row this wide: as many columns as fit at
    // 62 points with 8 between, sharing the row.
    static int cardWidth(int rowWidth);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    GradeActions& grade_;
    DisclosureGroup* open_;
    Parts parts_;

    QWidget* buildHeader();
    QWidget* buildSection(const QString& title, const QString& icon, const std::vector<GradeSlider>& rows);
    void refresh();
    void refreshCards();
};

}  // namespace vt::ui
