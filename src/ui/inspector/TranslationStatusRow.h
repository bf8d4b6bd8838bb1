#pragma once
// The Styles browser's banner about the English translation of the captions:
// a running translation (spinner and status text), else a failure message
// with "Dismiss", else, while the captions show the stored translation, a
// note (in ink when the words changed since translating) with "Translate
// Again"; otherwise nothing at all.
//
// The row shows a Status it is given and calls back for its two actions; an
// action without a callback has no button. Main thread only.

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vt::ui {

class TranslationStatusRow : public QWidget {
    Q_OBJECT
public:
    struct Status {
        bool translating = false;
        QString progressText;
        std::optional<QString> error;
        bool usesTranslation = false;
        bool stale = false;  // the stored translation was made from other words
    };
    enum class Shows { nothing, progress, failure, translated };

    TranslationStatusRow(std::function<void()> dismiss, std::function<void()> translateAgain,
                         QWidget* parent = nullptr);

    static Shows shows(const Status& status);
    void setStatus(const Status& status);

    QLabel* text() const { return text_; }
    QPushButton* button() const { return button_; }

private:
    std::function<void()> dismiss_;
    std::function<void()> translateAgain_;
    QProgressBar* spinner_;
    QLabel* warning_;
    QLabel* text_;
    QPushButton* button_;
    Shows shown_ = Shows::nothing;
};

}  // namespace vt::ui
