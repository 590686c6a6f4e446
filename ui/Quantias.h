#pragma once
// Amounts as the clerk types or pastes them: as Brazilians write them
// ("1.500,00", "1.000", "R$ 2.500,50"), or with the numeric keypad's "." for
// the decimal comma ("1.5"). The numeric fields, the amount fields and the
// grids' value cells share these rules.
//
// Typing: "." and "," both give the decimal comma. A separator typed at the
// end of a text that ends in a comma and exactly three digits ("1,500") shows
// that comma to have been a digit-group mark: it drops out and the new key is
// the decimal comma ("1,500" then "," gives "1500,"). Any other second
// separator is refused, as a key that would make no number is.
//
// An amount left with exactly three digits after its comma ("1,500") is
// either 1.500 typed with its digit-group mark or a slip, since amounts in
// reais have two decimals: the clerk is asked which (Enter: the thousands;
// no: back to the amount to correct it). It is never taken silently.
//
// Paste: where both "." and "," appear, the last one is the decimal mark and
// the others are dropped ("1.000,00", "1,000.50"); dots alone of which every
// group after the first has exactly three digits are digit-group marks
// ("1.000", "1.234.567"), and so are repeated commas that group so
// ("1,000,000"); else one mark alone is the decimal one ("1.5", "0.500",
// "1,5"). "R$", blanks and letters go. Several marks that fit neither
// ("1.5.2") make no amount.
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QObject;
class QWidget;

namespace quantivo {

// What a separator key ("." or ",") typed into `campo` does: enter the decimal
// comma, or replace the text by `*reagrupado`, or nothing.
enum class Separador { Virgula, Reagrupa, Recusa };
Separador DecideSeparador(const QLineEdit* campo, QString* reagrupado);

// Digits (the first not 0), one comma and exactly three digits, a minus sign
// before them allowed: "1,500", "1234,567".
bool MilharAmbiguo(const QString& texto);
// The text read with its comma as a digit-group mark ("1,500" gives "1500").
QString SemMilhar(const QString& texto);
// The question on an ambiguous amount; `linha` (from 1) names a grid row.
std::string PerguntaMilhar(const QString& texto, int linha = 0);
// Asks it: true when the amount is the thousands.
bool ConfirmaMilhar(const QString& texto, int linha = 0);

// A pasted amount as the rules above read it: digits and at most one comma,
// the minus sign dropped (the fields that take one keep it themselves).
// Empty for a blank text; nothing for a text that is no amount.
std::optional<QString> LimpaQuantiaColada(const QString& texto);

// An amount field that is a plain line edit (the workbench's "Valor
// Financiado"): left for another control of its window with an ambiguous
// amount, it asks at once (no: the focus goes back to it, the text selected).
void VigiaMilhar(QLineEdit* campo);

// Runs `acao` once the focus change under way is over and no mouse button is
// held: the question or warning on a field or cell left for another control
// waits so for the click that left it, whose button (F5's "CONTINUA", the
// workbench's "Calcula") may itself check the same and go on.
void QuandoOFocoAssentar(QObject* dono, std::function<void()> acao);

// Before an action reads the amounts of `janela`: an ambiguous amount in one
// of its numeric fields (the one being typed into, or one left while its
// question was due) or in a field that VigiaMilhar watches is asked about.
// False when the clerk went back to correct one: the action stops.
bool ConfereQuantias(QWidget* janela);

}  // namespace quantivo
