#pragma once
// The printed receipt: one A4 page, 10 mm margins, holding one or two copies.
//
// The page is a list of elements (frames and texts placed in millimetres from
// the top-left corner of the printable area) built by MontaPaginaRecibo from
// the receipt's data, and painted by PintaPagina onto any painter: the print
// preview's printer, a PDF printer, an image. Tests read the list; nothing
// about the layout lives in the painting.
#include <QFont>
#include <QString>
#include <functional>
#include <vector>

#include "core/Datas.h"
#include "output/Cadastro.h"

class QPaintDevice;
class QPainter;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace quantivo {

struct ElementoRel {
    enum class Tipo { Moldura, Texto };
    QString nome;
    Tipo tipo = Tipo::Texto;
    double esquerda = 0, topo = 0;  // mm
    double largura = 0;             // mm; 0: as wide as its text, never cut
    double altura = 0;              // mm; a text box cuts what does not fit
    QString texto;
    double pontos = 10;
    bool negrito = false;
    Qt::Alignment alinhamento = Qt::AlignLeft;
    bool quebra = false;  // wraps at spaces
    bool ligado = true;   // an element switched off is not printed
};

// What one print puts on the page.
struct DadosRecibo {
    long double valor = 0;
    QString recebi;
    QString extenso;  // the words exactly as the window shows them
    QString referente;
    Cadastro cadastro;
    Data hoje = kDataNula;
};

// "05, de março de 2008": the receipt's date line, with the Portuguese month
// names whatever the machine's locale.
QString DataRecibo(Data d);

// Geometry of the page and of the second copy.
inline constexpr double kMargemMm = 10.0;
inline constexpr double kLarguraUtilMm = 190.0;
inline constexpr double kAlturaUtilMm = 273.8;
inline constexpr double kDesceSegundaVia = 146.05;
inline constexpr double kDesceMolduraSegundaVia = 145.8;

// Every element of the page, both copies and the cut line, each filled and
// switched on or off from the data: nothing of a previous print can remain.
std::vector<ElementoRel> MontaPaginaRecibo(const DadosRecibo& d);

// The point size at which a wrapping element's text fits its box, from its
// own size down to kMenorPontoQuebrado, on that device.
inline constexpr double kMenorPontoQuebrado = 6.0;
double PontosQueCabem(const ElementoRel& e, QPaintDevice* dispositivo, double pxPorMm);

// Paints the elements that are on. The painter's origin is the top-left
// corner of the printable area; pxPorMm converts millimetres to its units.
void PintaPagina(QPainter& p, const std::vector<ElementoRel>& elementos, double pxPorMm);

// The printout. The program keeps one (FREL) and fills it at every print.
class TFREL {
public:
    void Preenche(const DadosRecibo& d) { elementos_ = MontaPaginaRecibo(d); }
    const std::vector<ElementoRel>& Elementos() const { return elementos_; }

    // A4 portrait, 10 mm margins.
    static void ConfiguraImpressora(QPrinter& impressora);
    // Paints the page onto a printer already configured.
    void Imprime(QPrinter& impressora) const;
    // Writes the page as a PDF file; false when the file cannot be written.
    bool GravaPdf(const QString& caminho) const;
    // The print preview, from which the user prints or saves; returns when
    // the preview is closed. Goes through the replaceable seam below.
    void Visualiza(QWidget* pai) const;

private:
    std::vector<ElementoRel> elementos_;
};

TFREL& FREL();

// Sizes the receipt preview before it opens: most of the screen, the page
// fitted to the window's width.
void AbreGrande(QPrintPreviewDialog& dialogo);
// Names for a screen reader the preview's controls that Qt leaves unnamed
// (the zoom box and the page number).
void NomeiaControlesDaPrevia(QPrintPreviewDialog& dialogo);

// The preview seam: tests record the page instead of opening a dialog.
using VisualizaReciboFn = std::function<void(const TFREL& rel, QWidget* pai)>;
void DefineVisualizaRecibo(VisualizaReciboFn f);  // empty restores the dialog

}  // namespace quantivo
