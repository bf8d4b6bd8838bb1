// Vellumtide: the application, its one model and its one window. Files named
// on the command line (as "open with" passes them) are imported like drops.

#include "app/AppModel.h"
#include "platform/WordLexicon.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumtide"));
    QApplication::setDesktopFileName(QStringLiteral("vellumtide"));
    // Post texts and match cuts need the English lexicon; without it the
    // installation is incomplete, and saying so now beats failing mid-edit.
    // It is read here, once: a lexicon that opens now cannot fail later.
    if (const std::string problem = vt::WordLexicon::englishProblem(); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        QMessageBox::critical(nullptr, QStringLiteral("Vellumtide"), QString::fromStdString(problem));
        return 1;
    }
    vt::AppModel app;
    vt::MainWindow window(app);
    window.show();
    const QStringList arguments = QApplication::arguments().mid(1);
    for (const QString& argument : arguments) window.openArgument(argument);
    return QApplication::exec();
}
