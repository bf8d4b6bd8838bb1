// Vellumtide: the application, its one model and its one window. Files named
// on the command line (as "open with" passes them) are imported like drops.
// Only one program works on a data folder: a later start hands its files to
// the running one, which imports them and comes to the front.

#include "app/AppModel.h"
#include "app/SingleInstance.h"
#include "model/DataRoot.h"
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
    const QStringList arguments = QApplication::arguments().mid(1);

    vt::SingleInstance instance(vt::DataRoot::root());
    switch (instance.claim(arguments)) {
    case vt::SingleInstance::Outcome::handedOver:
        return 0;
    case vt::SingleInstance::Outcome::refused:
        // Said before the dialog, for a start from a terminal.
        std::fprintf(stderr, "%s\n", qPrintable(instance.refusal()));
        QMessageBox::critical(nullptr, QStringLiteral("Vellumtide"), instance.refusal());
        return 1;
    case vt::SingleInstance::Outcome::owner:
        break;
    }

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
    QObject::connect(&instance, &vt::SingleInstance::handedOver, &window, [&window](const QStringList& handed) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
        for (const QString& argument : handed) window.openArgument(argument);
    });
    window.show();
    for (const QString& argument : arguments) window.openArgument(argument);
    return QApplication::exec();
}
