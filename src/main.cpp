#include "app/TavrinApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tavrin::TavrinApp tavrin;
    tavrin.show();
    return app.exec();
}
