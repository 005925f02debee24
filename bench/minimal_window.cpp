// The floor that compare.sh measures the program against: a Qt Widgets window of the program's
// size, 328 by 196, holding one label and nothing else.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.setFixedSize(328, 196);
    QLabel label(QStringLiteral("Language: English"), &window);
    label.move(8, 8);
    window.show();
    return application.exec();
}
