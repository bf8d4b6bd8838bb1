// Vellumtide: the application, its one model and its one window. Files named
// on the command line (as "open with" passes them) are imported like drops.

#include "app/AppModel.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumtide"));
    QApplication::setDesktopFileName(QStringLiteral("vellumtide"));
    vt::AppModel app;
    vt::MainWindow window(app);
    window.show();
    const QStringList arguments = QApplication::arguments().mid(1);
    for (const QString& argument : arguments) window.openArgument(argument);
    return QApplication::exec();
}
