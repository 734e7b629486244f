#include "window/apportion_form.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ApportionForm form;
    form.show();
    return app.exec();
}
