#pragma once
// The date field every window uses: the short date "dd/mm/yy" typed into a
// masked line edit, with a calendar button. An empty field reads as the null
// date (30/12/1899). Typed text is read by the program's own date rule (the
// two-digit year placed in the window around today's year). A text that is
// not a date (31/02/26, a half-typed one) never becomes another date: leaving
// the field for another control says so in a message box and brings the
// focus back to the typed text; Escape gives the held date back. A text set
// from outside while the field has no focus (an accessibility client) is
// taken when it is a date. Entered by a click, as by Tab, the field has its
// whole date selected, so that the date typed next replaces it (a second
// click places the caret, for a correction).
#include <QCalendarWidget>
#include <QLineEdit>
#include <QPointer>
#include <optional>

#include "core/Datas.h"

namespace quantivo {

class CampoData : public QLineEdit {
    Q_OBJECT
public:
    explicit CampoData(QWidget* parent = nullptr);

    // While the field is being edited, the typed date when it is one.
    quantivo::Data Data() const;
    void DefineData(quantivo::Data d);

    // Whether the text is a date (or empty). When it is not, says so in a
    // message box and brings the focus back to the field: for an action that
    // reads the date while the field may hold what is being typed.
    bool ConfereData();

    // Opens the calendar under the field (the calendar button does this).
    void AbreCalendario();
    QCalendarWidget* Calendario() const { return calendario_; }

signals:
    // The date the field shows changed: put in, picked, or typed complete.
    void dataAlterada();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::optional<quantivo::Data> LeTexto() const;
    void Guarda(quantivo::Data d);
    void Anuncia(quantivo::Data d);
    void Mostra();
    void TextoEditado();
    void TextoPostoDeFora();
    void AvisaDataInvalida();

    quantivo::Data data_ = kDataNula;
    quantivo::Data anunciada_ = kDataNula;
    QPointer<QCalendarWidget> calendario_;
    bool mostrando_ = false;
    // The warning of a field left with no date: due once the focus change
    // is over; not shown twice at once.
    bool avisoPendente_ = false;
    bool avisando_ = false;
    // Entered by a click: the whole date is selected once the click is over.
    bool selecionaAoSoltar_ = false;
};

// The warning's text for a typed text that is not a date.
QString TextoDataInvalida(const QString& texto);

// A masked date editor (the date field, a grid's date cell) in which digits
// typed in a row never fall off its end: a digit that finds no place left
// after the caret (a whole date typed with the caret inside the old one)
// makes the digits of that run a date typed from the day, so the editor
// never ends on a mix of the old date and the new one.
void AceitaDataInteira(QLineEdit* editor);

}  // namespace quantivo
