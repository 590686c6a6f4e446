#pragma once
// The date field every window uses: the short date "dd/mm/yy" typed into a
// masked line edit, with a calendar button. An empty field reads as the null
// date (30/12/1899). Typed text is read by the program's own date rule (the
// two-digit year placed in the window around today's year); a text that is
// not a date when the field is left gives the held date back. A text set from
// outside while the field has no focus (an accessibility client) is read the
// same way.
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

private:
    std::optional<quantivo::Data> LeTexto() const;
    void Guarda(quantivo::Data d);
    void Anuncia(quantivo::Data d);
    void Mostra();
    void TextoEditado();
    void TextoPostoDeFora();

    quantivo::Data data_ = kDataNula;
    quantivo::Data anunciada_ = kDataNula;
    QPointer<QCalendarWidget> calendario_;
    bool mostrando_ = false;
};

}  // namespace quantivo
