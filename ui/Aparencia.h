#pragma once
// Colours, pictures and small looks the windows share.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace quantivo {

inline const QColor kCorFoco{255, 255, 0};     // the focused field
inline const QColor kCorGrade{255, 255, 225};  // pale yellow of the grids
inline const QColor kCorPrata{192, 192, 192};  // silver window background
inline const QColor kCorCinza{128, 128, 128};  // grey text
// Text colours that read at 4.5:1 or more: grey on silver (5.7:1), dark text
// on yellow (19.6:1), red on white (6.5:1) and on yellow (6.0:1).
inline const QColor kCorCinzaEscuro{64, 64, 64};
inline const QColor kCorTextoSobreAmarelo{0, 0, 0};
inline const QColor kCorVermelhoEscuro{192, 0, 0};
inline const QColor kCorMarinho{0, 0, 128};
inline const QColor kCorMarrom{128, 0, 0};
inline const QColor kCorVermelho{255, 0, 0};

// Paints the field's background yellow while it has the focus, back to the
// field colour when it loses it.
void DestacaFoco(QWidget* campo);

void PintaFundo(QWidget* w, const QColor& cor);
// Colours a window or a group, not the fields inside it: the fields keep the
// field colour (a palette's Base would reach every field below it).
void PintaJanela(QWidget* w, const QColor& cor);
void PintaTexto(QWidget* w, const QColor& cor);

// A field that shows a result and takes no input (disabled): its text stays
// dark on a light grey, legible rather than the toolkit's faint
// grey; `texto` is the dark colour, black by default (17:1; navy 13:1).
inline const QColor kCorFundoSoLeitura{232, 232, 232};
void MostraDesabilitadoLegivel(QWidget* campo, const QColor& texto = QColor(0, 0, 0));

// A caption for a list that the window shows without one. Qt gives a screen
// reader a combo box's current item as its name and takes the caption only
// from a label tied to it: this label, not shown, beside the list. An
// editable list's text field gets the caption as its name too.
QLabel* LegendaOculta(QComboBox* lista, const QString& texto);

// Texts that fit their boxes: the font is stepped down from the control's own
// (never above it) until the text fits: a field's or a one-line label's width,
// a wrapping label's height. A field is fitted again whenever its text
// changes; a label when this is called, so call it after each new text.
void EncaixaTexto(QLineEdit* campo);
void EncaixaTexto(QLabel* rotulo);
// The width a field gives its text (inside its frame and margins).
int LarguraDoTexto(const QLineEdit* campo);

// Drawn rather than shipped as image files, so that nothing can be missing.
QIcon IconeCalendario();
QIcon IconeImpressora();
QPixmap ImagemFornecedor(int largura, int altura);
QPixmap ImagemRecibo(int lado);

// Makes a label or picture clickable (the vendor links).
void AoClicar(QWidget* w, std::function<void()> acao);

}  // namespace quantivo
