// Quantivo, the desktop program: creates the windows and runs until the main
// menu is closed.
#include <QApplication>

#include "app/Janelas.h"
#include "ui/Regional.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quantivo"));
    // Ties the windows to the installed desktop entry (its icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.Quantivo"));
    QApplication::setFont(quantivo::FonteJanela());
    // The dialogs Qt draws (printing, preview, context menus) in Portuguese.
    quantivo::CarregaTraducoesQt();
    // The main menu ends the program when it closes, even while the
    // workbench (a window of its own) is still open.
    app.setQuitOnLastWindowClosed(false);
    // The main menu is shown first; the other windows are built in their
    // order as soon as the event loop runs, while the user reads the menu.
    quantivo::CriaMenuPrincipal();
    quantivo::MostraMenuECriaDemais();
    const int r = app.exec();
    quantivo::DestroiJanelas();
    return r;
}
