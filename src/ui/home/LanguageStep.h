#pragma once
// The second onboarding step: "What do you speak in your videos?" with four
// answers. Selecting one sets the engine, the Whisper language, the caption
// script and, for English, the recognizer locale at once, and starts the
// speech-model download for the Whisper answers; the step shows the model's
// state, a menu of further languages and a choice of caption script.

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace vt {

class AppModel;
class OnboardingFooter;

class LanguageStep : public QWidget {
    Q_OBJECT

public:
    enum class Choice { english, hinglish, hindi, other };
    static constexpr std::array<Choice, 4> choices{Choice::english, Choice::hinglish, Choice::hindi, Choice::other};

    LanguageStep(AppModel& app, std::function<void()> back, std::function<void()> next, std::optional<Choice> preview = std::nullopt,
                 QWidget* parent = nullptr);

    std::optional<Choice> choice() const { return choice_; }
    // The answer matching the stored settings; none before the first onboarding ends.
    std::optional<Choice> currentChoice() const;
    // Selects an answer and applies its settings.
    void select(Choice choice);
    // The recognizer locale English picks: the current locale when it is an
    // English one the recognizer has, else en-US; identifiers compare in one
    // form whether written with "_" or "-".
    static std::optional<std::string> englishLocale(const std::vector<std::string>& locales, const std::string& current);
    // The further-languages menu: ids in order.
    static std::vector<std::string> menuIDs(const std::string& current);

    QPushButton* row(Choice choice) const { return rows_[int(choice)]; }
    OnboardingFooter* footer() const { return footer_; }
    QComboBox* languageMenu() const { return menu_; }
    QWidget* languageRow() const { return menuRow_; }
    QWidget* scriptRow() const { return scriptRow_; }
    QPushButton* scriptSegment(int index) const { return scripts_[index]; }
    QLabel* readyLabel() const { return ready_; }
    QWidget* downloadCard() const { return download_; }
    QLabel* downloadPercent() const { return percent_; }

private:
    void refresh();

    AppModel& app_;
    std::optional<Choice> choice_;
    std::array<QPushButton*, 4> rows_{};
    OnboardingFooter* footer_;
    QWidget* menuRow_;
    QComboBox* menu_;
    QWidget* scriptRow_;
    std::array<QPushButton*, 2> scripts_{};
    QLabel* ready_;
    QWidget* download_;
    QLabel* percent_;
    QProgressBar* bar_;
};

}  // namespace vt
