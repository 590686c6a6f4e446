#pragma once
// The numeric field every window uses: a line edit that holds a number with a
// fixed count of decimals (0 to 5). Zero shows as an empty field and an empty
// field reads zero. A value put into it is held to its decimals, halves away
// from zero. While it has the focus it shows its edit text (TextoCampo); while
// it does not, its display pattern (FormataMascara), which is never read back.
// "." or "," enter the decimal comma; keys that would make an invalid number or
// more decimals than the field holds are refused; Escape restores the value.
// Amounts as Brazilians write them are taken as meant (ui/Quantias.h): a
// separator typed after a comma and three digits makes that comma a digit
// group mark ("1.500,00" typed gives 1500,00); a field of one or two decimals
// takes a third only as such a group ("1.500" typed gives "1,500"), read as
// the thousands and asked about when the field is left; a pasted text is
// cleaned as a pasted amount ("R$ 2.500,50"). A text set from outside while
// the field is not being edited (an accessibility client filling it) is
// taken as the value when it is one, cleaned so too.
#include <QLineEdit>
#include <optional>

namespace quantivo {

class CampoNumerico : public QLineEdit {
    Q_OBJECT
public:
    static constexpr const char* kMascaraPadrao = "R$ ,0.00";  // R$ 1.045,00

    explicit CampoNumerico(int decimais = 2, QWidget* parent = nullptr);

    // While the field is being edited, the value of the typed text.
    long double Valor() const;
    void DefineValor(long double v);
    // The field's text as the rules read it: TextoCampo of the value.
    QString Texto() const;

    int Decimais() const { return decimais_; }
    void DefineMascara(const QString& m);
    // Optional limits. A value typed above the maximum stands while the field
    // is edited (Valor already reads the maximum); leaving the field brings
    // it down. A value put in outside them is brought to the nearest limit.
    void DefineFaixa(std::optional<long double> minimo, std::optional<long double> maximo);
    void DefineSemNegativo(bool semNegativo);

    // Whether a text is one this field accepts while typing (after "." has
    // become ","). Public for the tests.
    bool TextoAceitavel(const QString& texto) const;

    // Before an action reads the value: an ambiguous amount being typed (or
    // left while its question was due) is asked about. False when the clerk
    // goes back to correct it: the field has the focus again, its text as
    // typed and selected.
    bool ConfereValor();

signals:
    // The held value changed (by DefineValor or when the typed text is taken).
    void valorAlterado();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    class Validador;
    // "1,500" in a field of fewer than three decimals.
    bool Ambiguo(const QString& texto) const;
    long double LeEdicao() const;
    long double Limita(long double v) const;
    void Guarda(long double v);
    void Confirma();
    void Mostra();
    QString TextoEdicao() const;
    void TextoPostoDeFora();

    int decimais_;
    long double valor_ = 0;
    QString mascara_ = QString::fromLatin1(kMascaraPadrao);
    std::optional<long double> minimo_, maximo_;
    bool semNegativo_ = false;
    bool editando_ = false;
    bool mostrando_ = false;
    bool digitando_ = false;  // a typed key is being taken (not a paste, an undo or a text set from outside)
    QString pendente_;        // an ambiguous amount left, whose question is due
    QString corrigir_;        // the ambiguous amount to give back when the focus returns
    bool perguntando_ = false;
};

}  // namespace quantivo
