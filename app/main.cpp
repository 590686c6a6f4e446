// Quantivo, the desktop program: creates the windows and runs until the main
// menu is closed.
#include <QApplication>

#include "app/Janelas.h"
#include "windows/Regional.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quantivo"));
    QApplication::setFont(quantivo::FonteJanela(9));
    // The main menu ends the program when it closes, even while the
    // workbench (a window of its own) is still open.
    app.setQuitOnLastWindowClosed(false);
    quantivo::CriaJanelas();
    quantivo::frm_principal->show();
    const int r = app.exec();
    quantivo::DestroiJanelas();
    return r;
}
