#include "ui/home/HomeView.h"

#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "captions/StyleLibrary.h"
#include "captions/presets/StylePresets.h"
#include "ui/home/AIStatusButton.h"
#include "ui/home/ContinueCard.h"
#include "ui/theme/FileRevealer.h"
#include "ui/home/ScreenTitleBar.h"
#include "ui/home/NewProjectCard.h"
#include "ui/home/PhonePreview.h"
#include "ui/home/ProjectCells.h"
#include "ui/home/ProjectGrid.h"
#include "ui/home/ProjectSort.h"
#include "ui/home/SearchBox.h"
#include "ui/home/UnreadableNote.h"
#include "ui/inspector/KitText.h"
#include "ui/inspector/PanelCard.h"
#include "ui/inspector/RowDivider.h"
#include "ui/theme/Theme.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vt {

namespace {

constexpr std::string_view sortKey = "homeSort";
constexpr std::string_view showsListKey = "homeShowsList";

}  // namespace

HomeView::HomeView(AppModel& app, std::shared_ptr<FileRevealer> revealer, QWidget* parent)
    : QWidget(parent), app_(app), revealer_(revealer ? std::move(revealer) : std::make_shared<SystemFileRevealer>())
{
    setAcceptDrops(true);
    sortRaw_ = AppSettings::string(sortKey).value_or("recent");
    showsList_ = AppSettings::boolean(showsListKey);

    auto* screen = new QVBoxLayout(this);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->setSpacing(0);
    screen->addWidget(buildTopBar());

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; } QScrollArea > QWidget > QWidget { background: transparent; }"));
    auto* page = new QWidget(scroll);
    auto* centre = new QHBoxLayout(page);
    centre->setContentsMargins(0, 0, 0, 0);
    auto* content = new QWidget(page);
    content->setMaximumWidth(1240);
    centre->addWidget(content);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(40, 20, 40, 40);
    column->setSpacing(32);

    unreadable_ = new UnreadableNote([this] { app_.acknowledgeUnreadableProjects(); }, content);
    column->addWidget(unreadable_);

    welcome_ = new QWidget(content);
    auto* welcomeColumn = new QVBoxLayout(welcome_);
    welcomeColumn->setContentsMargins(0, 0, 0, 0);
    welcomeColumn->setSpacing(4);
    welcomeColumn->addWidget(ui::kit::label(tr("Welcome to Vellumtide"), 24, QFont::DemiBold, Theme::ink, welcome_));
    welcomeColumn->addWidget(ui::kit::label(tr("Drop a video to get captions, hooks, B-roll and color, all made on this computer."), 13.5,
                                            QFont::Normal, Theme::secondaryText, welcome_));
    column->addWidget(welcome_);

    auto* startRow = new QWidget(content);
    auto* startLayout = new QHBoxLayout(startRow);
    startLayout->setContentsMargins(0, 0, 0, 0);
    startLayout->setSpacing(20);
    card_ = new NewProjectCard(app, startRow);
    startLayout->addWidget(card_, 1, Qt::AlignTop);
    auto* secondHost = new QWidget(startRow);
    secondHost->setFixedWidth(300);
    startRow_ = new QVBoxLayout(secondHost);
    startRow_->setContentsMargins(0, 0, 0, 0);
    startLayout->addWidget(secondHost, 0, Qt::AlignTop);
    column->addWidget(startRow);

    section_ = buildSection();
    section_->setParent(content);
    column->addWidget(section_);
    column->addStretch(1);
    scroll->setWidget(page);
    screen->addWidget(scroll, 1);

    connect(&app, &AppModel::projectsChanged, this, [this] {
        rebuildProjects();
        rebuildStartRow();
    });
    connect(&app, &AppModel::startStyleIDChanged, this, &HomeView::rebuildStartRow);
    connect(&app, &AppModel::unreadableProjectsChanged, this, [this] { unreadable_->setFiles(app_.unreadableProjects()); });
    unreadable_->setFiles(app_.unreadableProjects());
    rebuildProjects();
    rebuildStartRow();
}

HomeView::~HomeView() = default;

QWidget* HomeView::buildTopBar()
{
    auto* trailing = new QWidget(this);
    auto* row = new QHBoxLayout(trailing);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    search_ = new SearchBox(trailing);
    search_->setFixedWidth(220);
    connect(search_, &SearchBox::textChanged, this, &HomeView::setQuery);
    row->addWidget(search_);
    ai_ = new AIStatusButton(HookGenerator::aiStatus(), trailing);
    row->addWidget(ai_);
    newProject_ = new QPushButton(QStringLiteral("+  ") + tr("New Project"), trailing);
    newProject_->setFixedHeight(24);
    newProject_->setCursor(Qt::PointingHandCursor);
    newProject_->setToolTip(tr("Open a video to caption (Ctrl+O)"));
    newProject_->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: none; border-radius: 7px; padding: 0 10px; "
                                              "font-weight: 600; } QPushButton:pressed { background: %3; }")
                                   .arg(QColor(Theme::onAccent).name(), QColor(Theme::accent).name(), QColor(Theme::accent).darker(130).name()));
    connect(newProject_, &QPushButton::clicked, this, [this] { app_.openPanel(); });
    row->addWidget(newProject_);
    return screenTitleBar(trailing, this);
}

QWidget* HomeView::buildSection()
{
    auto* section = new QWidget(this);
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(ui::kit::label(tr("Projects"), 17, QFont::DemiBold, Theme::ink, section));
    count_ = ui::kit::label(QString(), 12, QFont::DemiBold, Theme::secondaryText, section);
    count_->setContentsMargins(7, 2, 7, 2);
    count_->setStyleSheet(QStringLiteral("QLabel { background: %1; border-radius: 9px; }").arg(QColor(Theme::muted).name(QColor::HexArgb)));
    header->addWidget(count_);
    header->addStretch(1);
    sortMenu_ = new QComboBox(section);
    sortMenu_->setAccessibleName(tr("Sort"));
    sortMenu_->setToolTip(tr("Sort projects"));
    for (ProjectSort sort : ProjectSorts::all)
        sortMenu_->addItem(ProjectSorts::title(sort), QString::fromUtf8(ProjectSorts::rawValue(sort).data()));
    sortMenu_->setCurrentIndex(int(ProjectSorts::fromRaw(sortRaw_)));
    connect(sortMenu_, &QComboBox::activated, this, [this](int index) { setSort(sortMenu_->itemData(index).toString().toStdString()); });
    header->addWidget(sortMenu_);
    layoutGroup_ = new QButtonGroup(section);
    auto* toggle = new QHBoxLayout;
    toggle->setSpacing(0);
    const QString glyphs[2] = {QStringLiteral("\u25A6"), QStringLiteral("\u2630")};
    const QString names[2] = {tr("Grid"), tr("List")};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(glyphs[i], section);
        button->setCheckable(true);
        button->setAccessibleName(names[i]);
        button->setToolTip(tr("Show projects as a grid or a list"));
        button->setFixedSize(30, 22);
        layoutGroup_->addButton(button, i);
        toggle->addWidget(button);
    }
    layoutGroup_->button(showsList_ ? 1 : 0)->setChecked(true);
    connect(layoutGroup_, &QButtonGroup::idClicked, this, [this](int id) { setShowsList(id == 1); });
    header->addLayout(toggle);
    column->addLayout(header);

    noMatch_ = ui::kit::label(QString(), 13, QFont::Normal, Theme::secondaryText, section);
    noMatch_->setAlignment(Qt::AlignCenter);
    noMatch_->setContentsMargins(0, 30, 0, 30);
    column->addWidget(noMatch_);
    grid_ = new ProjectGrid(section);
    column->addWidget(grid_);
    list_ = new ui::PanelCard(12, section);
    listColumn_ = new QVBoxLayout(list_);
    listColumn_->setContentsMargins(0, 0, 0, 0);
    listColumn_->setSpacing(0);
    column->addWidget(list_);
    return section;
}

QDialog* HomeView::renameDialog() const { return renameDialog_.data(); }

QMessageBox* HomeView::deleteDialog() const { return deleteDialog_.data(); }

QPushButton* HomeView::layoutButton(bool list) const { return qobject_cast<QPushButton*>(layoutGroup_->button(list ? 1 : 0)); }

ProjectActions HomeView::actions(const Project& project)
{
    QPointer<HomeView> self(this);
    ProjectActions actions;
    actions.rename = [self, project] {
        if (self) self->openRename(project);
    };
    actions.duplicate = [self, project] {
        if (self) self->app_.duplicate(project);
    };
    actions.reveal = [self, project] {
        if (!self) return;
        std::vector<std::filesystem::path> files;
        for (const VideoClip& clip : project.videoClips()) files.emplace_back(clip.path);
        self->revealer_->reveal(files);
    };
    actions.remove = [self, project] {
        if (self) self->openDelete(project);
    };
    return actions;
}

void HomeView::rebuildProjects()
{
    for (ProjectCard* card : std::as_const(cards_)) card->deleteLater();
    for (ProjectRow* row : std::as_const(rows_)) row->deleteLater();
    cards_.clear();
    rows_.clear();
    for (const Project& project : app_.projects()) {
        const QString key = QString::fromStdString(project.id.text());
        QPointer<HomeView> self(this);
        auto open = [self, project] {
            if (self) self->app_.open(project);
        };
        auto* card = new ProjectCard(project, actions(project), open, grid_);
        card->hide();
        cards_.insert(key, card);
        auto* row = new ProjectRow(project, actions(project), open, list_);
        row->hide();
        rows_.insert(key, row);
    }
    const bool any = !app_.projects().empty();
    welcome_->setVisible(!any);
    section_->setVisible(any);
    search_->setVisible(any);
    refreshShown();
}

void HomeView::rebuildStartRow()
{
    if (startSecond_) startSecond_->deleteLater();
    continue_ = nullptr;
    preview_ = nullptr;
    if (!app_.projects().empty()) {
        const Project first = app_.projects().front();
        QPointer<HomeView> self(this);
        continue_ = new ContinueCard(first, [self, first] {
            if (self) self->app_.open(first);
        });
        startSecond_ = continue_;
    } else {
        auto* frame = new QWidget;
        frame->setFixedSize(300, 400);
        auto* centre = new QHBoxLayout(frame);
        centre->setContentsMargins(50, 0, 50, 0);
        preview_ = new PhonePreview(frame);
        preview_->setFixedSize(200, 400);
        const auto look = StyleLibrary::shared().style(app_.startStyleID()).value_or(StylePresets::core().front());
        preview_->setStyle(look);
        centre->addWidget(preview_);
        startSecond_ = frame;
    }
    startRow_->addWidget(startSecond_);
}

void HomeView::refreshShown()
{
    shown_ = shownProjects(app_.projects(), query_, sortRaw_);
    count_->setText(QString::number(shown_.size()));
    const bool none = shown_.empty();
    noMatch_->setVisible(none);
    if (none) noMatch_->setText(tr("No projects match \u201C%1\u201D.").arg(query_));
    grid_->setVisible(!none && !showsList_);
    list_->setVisible(!none && showsList_);
    if (none) return;
    if (!showsList_) {
        std::vector<QWidget*> cells;
        for (const Project& p : shown_) cells.push_back(cards_.value(QString::fromStdString(p.id.text())));
        grid_->setShown(std::move(cells));
        return;
    }
    // Rows in order, a divider before each but the first.
    while (QLayoutItem* item = listColumn_->takeAt(0)) {
        if (item->widget() && qobject_cast<ui::RowDivider*>(item->widget())) item->widget()->deleteLater();
        else if (item->widget()) item->widget()->hide();
        delete item;
    }
    bool first = true;
    for (const Project& p : shown_) {
        if (!first) listColumn_->addWidget(new ui::RowDivider(list_));
        first = false;
        ProjectRow* row = rows_.value(QString::fromStdString(p.id.text()));
        listColumn_->addWidget(row);
        row->show();
    }
}

void HomeView::setQuery(const QString& query)
{
    query_ = query;
    if (search_->text() != query) search_->setText(query);
    refreshShown();
}

void HomeView::setSort(const std::string& raw)
{
    sortRaw_ = raw;
    AppSettings::set(sortKey, QString::fromStdString(raw));
    sortMenu_->setCurrentIndex(int(ProjectSorts::fromRaw(raw)));
    refreshShown();
}

void HomeView::setShowsList(bool list)
{
    showsList_ = list;
    AppSettings::set(showsListKey, list);
    layoutGroup_->button(list ? 1 : 0)->setChecked(true);
    refreshShown();
}

void HomeView::setDropTargeted(bool targeted)
{
    dropTargeted_ = targeted;
    card_->setDropTargeted(targeted);
}

void HomeView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasUrls()) return;
    event->acceptProposedAction();
    setDropTargeted(true);
}

void HomeView::dragLeaveEvent(QDragLeaveEvent*) { setDropTargeted(false); }

void HomeView::dropEvent(QDropEvent* event)
{
    setDropTargeted(false);
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty()) return;
    event->acceptProposedAction();
    app_.importVideo(urls.front().toLocalFile().toStdString());
}

void HomeView::openRename(const Project& project)
{
    newName_ = QString::fromStdString(project.name);
    renaming_ = project;
    if (renameDialog_) renameDialog_->close();
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Rename Project"));
    auto* column = new QVBoxLayout(dialog);
    column->addWidget(ui::kit::label(tr("Rename Project"), 13, QFont::DemiBold, Theme::ink, dialog));
    renameField_ = new QLineEdit(newName_, dialog);
    renameField_->setPlaceholderText(tr("Name"));
    // The field's own size hint holds 17 'x'; a name may well run to 60.
    const int x = renameField_->fontMetrics().horizontalAdvance(QLatin1Char('x'));
    renameField_->setMinimumWidth(renameField_->sizeHint().width() + (60 - 17) * x);
    connect(renameField_, &QLineEdit::textChanged, this, [this](const QString& text) { newName_ = text; });
    column->addWidget(renameField_);
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* rename = buttons->addButton(tr("Rename"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    rename->setDefault(true);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(dialog, &QDialog::finished, this, [this](int result) {
        const auto target = std::exchange(renaming_, std::nullopt);
        renameField_ = nullptr;
        if (result == QDialog::Accepted && target) app_.rename(*target, newName_.toStdString());
    });
    renameDialog_ = dialog;
    dialog->open();
}

void HomeView::openDelete(const Project& project)
{
    deleting_ = project;
    if (deleteDialog_) deleteDialog_->close();
    auto* dialog = new QMessageBox(QMessageBox::Warning, tr("Delete \u201C%1\u201D?").arg(QString::fromStdString(project.name)),
                                   tr("Delete \u201C%1\u201D?").arg(QString::fromStdString(project.name)), QMessageBox::NoButton, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setInformativeText(tr("The project and its edits are deleted. Your video files stay where they are."));
    QPushButton* remove = dialog->addButton(tr("Delete"), QMessageBox::DestructiveRole);
    QPushButton* cancel = dialog->addButton(tr("Cancel"), QMessageBox::RejectRole);
    dialog->setDefaultButton(cancel);
    connect(dialog, &QMessageBox::finished, this, [this, dialog, remove] {
        const auto target = std::exchange(deleting_, std::nullopt);
        if (dialog->clickedButton() == remove && target) app_.remove(*target);
    });
    deleteDialog_ = dialog;
    dialog->open();
}

}  // namespace vt
