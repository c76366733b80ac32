// The floor of a windows' program start: Qt's application and one main window of the program's
// size with a menu bar, shown and painted. Its text brings in the fonts, as any window's does.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include "QuitWhenPainted.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu("&File");
    window.resize(792, 560);
    new veltra::bench::QuitWhenPainted(window);
    window.show();
    return app.exec();
}
