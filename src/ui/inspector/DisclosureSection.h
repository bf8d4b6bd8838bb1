#pragma once
// A collapsible section: a clickable header (icon, title, a one-line summary
// while closed, a chevron) over rows shown only while open. Sections that
// share one DisclosureGroup behave as an accordion: the group holds the id
// of the one open section, or none, and belongs to the view that lays the
// sections out (it starts with none open).

#include "ui/theme/TextFitting.h"

#include <QObject>
#include <QWidget>

#include <optional>

class QLabel;
class QVBoxLayout;

namespace vt::ui {

class DisclosureGroup : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    const std::optional<QString>& expanded() const { return expanded_; }
    void setExpanded(std::optional<QString> id);

signals:
    void expandedChanged();

private:
    std::optional<QString> expanded_;
};

class DisclosureSection : public QWidget {
    Q_OBJECT
public:
    DisclosureSection(QString id, const QString& title, const QString& icon, DisclosureGroup& group,
                      QWidget* parent = nullptr);

    bool isOpen() const;
    void setSummary(const QString& summary);
    void addRow(QWidget* row);
    // Opens this section (closing its sibling) or closes it when open.
    void toggle();

    QWidget* header() const { return header_; }
    QWidget* body() const { return body_; }
    ElidedLabel* summaryLabel() const { return summary_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString id_;
    QString title_;
    DisclosureGroup& group_;
    QWidget* header_;
    QLabel* icon_;
    ElidedLabel* summary_;
    QLabel* chevron_;
    QWidget* body_;
    QVBoxLayout* rows_;
    bool hover_ = false;

    void sync();
};

}  // namespace vt::ui
