#pragma once
// The user manual inside the program: for a machine where the PDF manual is
// missing or no program opens it. Its text and pictures are built into the
// program, so nothing can be missing.
#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>

namespace quantivo {

class JanelaManual : public QDialog {
    Q_OBJECT
public:
    explicit JanelaManual(QWidget* parent = nullptr);
    QTextBrowser* texto;    // the manual's text and pictures
    QPushButton* btnFecha;  // "F2 - &Fecha": closes the window (F2 too)
};

// Where the built-in manual lives (a Qt resource).
inline constexpr const char* kManualEmbutido = "qrc:/manual/manual.html";

}  // namespace quantivo
