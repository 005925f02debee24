#include "app/Module1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    app::Main();
    return 0;
}
