#pragma once
// Colours, pictures and small looks the windows share.
#include <QColor>
#include <QIcon>
#include <QPixmap>

class QWidget;

namespace quantivo {

inline const QColor kCorFoco{255, 255, 0};        // the focused field
inline const QColor kCorGrade{255, 255, 225};     // pale yellow of the grids
inline const QColor kCorPrata{192, 192, 192};     // silver window background
inline const QColor kCorCinza{128, 128, 128};     // grey text
inline const QColor kCorMarinho{0, 0, 128};
inline const QColor kCorMarrom{128, 0, 0};
inline const QColor kCorVermelho{255, 0, 0};

// Paints the field's background yellow while it has the focus, back to the
// field colour when it loses it.
void DestacaFoco(QWidget* campo);

void PintaFundo(QWidget* w, const QColor& cor);
void PintaTexto(QWidget* w, const QColor& cor);

// Places a top-level window in the middle of its screen.
void CentraNaTela(QWidget* janela);

// Drawn rather than shipped as image files, so that nothing can be missing.
QIcon IconeCalendario();
QPixmap ImagemFornecedor(int largura, int altura);
QPixmap ImagemRecibo(int lado);

}  // namespace quantivo

#include <functional>

namespace quantivo {
// Makes a label or picture clickable (the vendor links).
void AoClicar(QWidget* w, std::function<void()> acao);
}  // namespace quantivo
