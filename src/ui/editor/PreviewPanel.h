#pragma once
// The centre of the editor window: a row of preview controls (output
// format, framing, and the captions, safe-zone and full-screen toggles),
// the video surface fitted to the output format, and, while caption words
// are selected, the word look bar. The surface shows the editor's player
// (the compositor has already drawn captions, framing and grade into its
// pictures); over it lie the caption word drag layer, the safe zones while
// they are switched on, a spinner while the editor loads and a pill naming
// the background work in progress.

#include "editor/EditorModel.h"

#include <QRect>
#include <QSizeF>
#include <QWidget>

#include <optional>

class QComboBox;
class QGraphicsOpacityEffect;
class QSequentialAnimationGroup;
class QLabel;
class QToolButton;

namespace vt::ui {

class BusySpinner;
class PlayerFrames;
class PlayerLayerView;
class SafeAreaOverlay;
class SymbolButton;
class WordDragLayer;
class WordLookBar;

class PreviewPanel : public QWidget {
    Q_OBJECT
public:
    // `frames` is the editor's one player on screen (null: no player, the
    // surface stays black).
    PreviewPanel(EditorModel& editor, PlayerFrames* frames, QWidget* parent = nullptr);

    // The surface size for an area of this size (4 points of margin all
    // round), never below 1 × 1.
    static QSizeF fittedSize(QSizeF area, OutputAspect aspect);
    static double cornerRadius(OutputAspect aspect, double surfaceWidth);
    // The pill's text: the activity, with " · N%" when it has a progress.
    static QString pillText(const EditorModel::Activity& activity);

    // The video surface in window coordinates, once laid out.
    std::optional<QRect> videoFrame() const;

    QToolButton* formatButton(OutputAspect aspect) const;
    QComboBox* framing() const { return framing_; }
    SymbolButton* captionsToggle() const { return captions_; }
    SymbolButton* safeAreaToggle() const { return safe_; }
    SymbolButton* fullScreenButton() const { return fullScreen_; }
    QWidget* surface() const { return surface_; }
    PlayerLayerView* playerView() const { return player_; }
    WordDragLayer* dragLayer() const { return drag_; }
    SafeAreaOverlay* safeArea() const { return safeArea_; }
    BusySpinner* spinner() const { return spinner_; }
    QWidget* pill() const { return pill_; }
    QLabel* pillLabel() const { return pillLabel_; }
    WordLookBar* lookBar() const { return lookBar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    PlayerFrames* frames_;
    QToolButton* formats_[4];
    QComboBox* framing_;
    SymbolButton* captions_;
    SymbolButton* safe_;
    SymbolButton* fullScreen_;
    QWidget* stage_;
    QWidget* surface_;
    PlayerLayerView* player_;
    WordDragLayer* drag_;
    SafeAreaOverlay* safeArea_;
    QWidget* rim_;
    BusySpinner* spinner_;
    QWidget* pill_;
    BusySpinner* pillSpinner_;
    QLabel* pillLabel_;
    WordLookBar* lookBar_;
    QGraphicsOpacityEffect* pillFade_;
    QSequentialAnimationGroup* pillAnimation_;
    bool pillWanted_ = false;

    QWidget* makeControls();
    void makeSurface();
    void refreshControls();
    void refreshActivity();
    void fadePill(bool in);
    void layoutSurface();
};

}  // namespace vt::ui
