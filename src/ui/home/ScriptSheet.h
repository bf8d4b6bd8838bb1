#pragma once
// The sheet that picks the writing of new projects' captions: "English
// letters (ABC)" and, in two columns, the other rows of the caption-language
// table, each with its note. Native scripts need a Whisper transcript in an
// Indian language: otherwise their rows are dimmed and cannot be picked.
// A pick reports the id and closes the sheet.

#include <QDialog>

#include <string>

class QPushButton;

namespace vt {

class ScriptSheet : public QDialog {
    Q_OBJECT

public:
    ScriptSheet(const std::string& selection, bool nativeAvailable, QWidget* parent = nullptr);
    // The row of this id, null when there is none.
    QPushButton* row(const std::string& id) const;

signals:
    void picked(const std::string& id);
};

}  // namespace vt
