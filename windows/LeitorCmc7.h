#pragma once
// Cheques read by their magnetic line (CMC7) in the grids. A reader that acts
// as a keyboard "types" the line in one burst, some 35 keys in 50 ms, that
// begins with "<" ("<23704948<0180017935>377506100112:", often followed by
// Enter). The grid takes the whole burst off the cell where its cursor stands
// (a date's mask or an amount's key filter would eat the "<" and scatter the
// digits) and, once the line is complete, puts it into that row's
// "Banco/Número", checked by the core's rule (core/Cmc7.h). Nothing is shown
// while the keys are still coming: a message box in the middle of a burst
// would take the keys that follow.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

#include "core/Tipos.h"

class QKeyEvent;

namespace quantivo {

// A line that the grid has no "Banco/Número" column for ("Venda certa").
extern const char* const kMsgLeitorSemBancoNumero;
// A line refused by the rule, with the rule's reason; `linha` from 1.
QString TextoCmc7Recusado(int linha, const std::string& problema);
// The same cheque (the same 30 digits) in an earlier row of the operation.
QString TextoChequeRepetido(int linhaAnterior);
// The bank of a row, where its code is known (from the row's magnetic line,
// or a Banco/Número that begins with three digits and "/"): "Banco 237: BCO
// BRADESCO S.A."; empty otherwise.
QString TextoBancoDaLinha(const Parcela& p);
// The 30 digits of a kept line; empty when it has not 30.
std::string DigitosDoCmc7(const std::string& linha);

// The keys of one reader's line, from its "<" to its end: an Enter or a Tab
// (taken with the line, so that no cell is skipped), any other key once the
// line's closing ":" came (that key is the clerk's next one), or a pause
// longer than the reader's own between keys.
class RecepcaoLeitor : public QObject {
    Q_OBJECT
public:
    explicit RecepcaoLeitor(QObject* parent);

    enum class Tecla {
        Livre,    // no line is coming and this key starts none: it goes on as usual
        Tomada,   // part of the line (its "<" included): it goes no further
        Fim,      // ends the line and goes no further (Enter, Tab)
        FimAntes  // the line ended before this key, which goes on as usual
    };
    // A key pressed in the grid or in its cell editor.
    Tecla Recebe(const QKeyEvent* e);
    bool Recebendo() const { return recebendo_; }
    // The line received so far; the reception ends.
    QString Encerra();
    void Cancela();

signals:
    // The pause after the last key ended the line.
    void pausa();

private:
    void Acrescenta(const QString& t);
    void AoFimDaPausa();

    bool recebendo_ = false;
    bool completa_ = false;  // the closing ":" came
    QString texto_;
    int teclas_ = 0;
    qint64 maiorIntervalo_ = 0;
    QElapsedTimer relogio_;
    QTimer pausa_;
};

}  // namespace quantivo
