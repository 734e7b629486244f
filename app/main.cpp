#include "window/form/apportion_form.h"
#include "window/form/translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Ties the window to its desktop entry, so the task bar shows the program's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.divisormethods.Mandati"));
    installBulgarianQtTexts(app);
    ApportionForm form;
    form.show();
    // "apportion FILE" opens a lesson, as the desktop does when one is opened from it.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        form.openLesson(arguments.at(1));
    return app.exec();
}
