#include "ui/CampoData.h"

#include <QAbstractButton>
#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QTimer>
#include <utility>

#include "ui/Aparencia.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"
#include "ui/Teclado.h"

namespace quantivo {
namespace {

bool SemDigitos(const QString& t) {
    for (QChar c : t)
        if (c.isDigit()) return false;
    return true;
}

QDate ParaQDate(quantivo::Data d) {
    const DataCivil c = DecodificaData(d);
    return QDate(c.ano, c.mes, c.dia);
}

// The positions of a date mask ("00/00/99") that take a digit.
bool PosicaoDeDigito(const QString& mascara, int i) {
    return i < mascara.size() && (mascara[i] == QLatin1Char('0') || mascara[i] == QLatin1Char('9'));
}

// Watches the digits typed in a row into a masked date editor, from the last
// time its caret was placed (a click, the focus coming in, any key that is
// not a digit).
class DataInteira : public QObject {
public:
    explicit DataInteira(QLineEdit* editor) : QObject(editor), editor_(editor) {}

    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
            case QEvent::FocusIn:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                corrida_.clear();
                return false;
            case QEvent::KeyPress:
                return Tecla(static_cast<QKeyEvent*>(e));
            default:
                return false;
        }
    }

private:
    bool Tecla(const QKeyEvent* k) {
        const QString t = k->text();
        const bool digito = t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9') &&
                            !(k->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
        if (!digito) {
            // The separator typed over its place moves on with the run.
            if (!SoModificador(k->key()) && t != QLatin1String("/")) corrida_.clear();
            return false;
        }
        if (editor_->hasSelectedText()) {
            corrida_ = t;  // it replaces the selection, from its start
            return false;
        }
        if (TemLugarAdiante()) {
            corrida_ += t;
            return false;
        }
        // No place left: the run was a date typed from inside the old one.
        const QString digitos = corrida_ + t;
        if (digitos.size() > Lugares()) return false;  // more digits than a date has, typed from the day
        corrida_ = digitos;
        editor_->selectAll();
        editor_->insert(digitos);
        return true;
    }

    QString Mascara() const { return editor_->inputMask().section(QLatin1Char(';'), 0, 0); }

    bool TemLugarAdiante() const {
        const QString m = Mascara();
        for (int i = editor_->cursorPosition(); i < m.size(); ++i)
            if (PosicaoDeDigito(m, i)) return true;
        return false;
    }

    int Lugares() const {
        const QString m = Mascara();
        int n = 0;
        for (int i = 0; i < m.size(); ++i) n += PosicaoDeDigito(m, i);
        return n;
    }

    QLineEdit* editor_;
    QString corrida_;
};

}  // namespace

void AceitaDataInteira(QLineEdit* editor) { editor->installEventFilter(new DataInteira(editor)); }

CampoData::CampoData(QWidget* parent) : QLineEdit(parent) {
    // Qt's mask convention: "0" an optional digit.
    setInputMask(QStringLiteral("00/00/00"));
    QAction* botao = addAction(IconeCalendario(), QLineEdit::TrailingPosition);
    // The action's text names the button to a screen reader; the button
    // shows only its picture.
    botao->setText(QStringLiteral("Abrir calendário"));
    botao->setToolTip(QStringLiteral("Calendário"));
    connect(botao, &QAction::triggered, this, &CampoData::AbreCalendario);
    connect(this, &QLineEdit::textEdited, this, &CampoData::TextoEditado);
    connect(this, &QLineEdit::textChanged, this, &CampoData::TextoPostoDeFora);
    AceitaDataInteira(this);
    Mostra();
}

std::optional<quantivo::Data> CampoData::LeTexto() const {
    const QString t = text();
    if (SemDigitos(t)) return kDataNula;
    return TentaLerData(t.toStdString(), AnoDe(Hoje()));
}

quantivo::Data CampoData::Data() const {
    if (hasFocus()) {
        if (const auto d = LeTexto()) return *d;
    }
    return data_;
}

void CampoData::TextoPostoDeFora() {
    if (mostrando_ || hasFocus()) return;
    Guarda(LeTexto().value_or(data_));
}

void CampoData::Mostra() {
    const QScopedValueRollback<bool> mostrando(mostrando_, true);
    setText(data_ == kDataNula ? QString() : QString::fromStdString(FormataData(data_)));
}

void CampoData::Anuncia(quantivo::Data d) {
    if (anunciada_ == d) return;
    anunciada_ = d;
    emit dataAlterada();
}

void CampoData::Guarda(quantivo::Data d) {
    data_ = d;
    Mostra();
    Anuncia(d);
}

void CampoData::DefineData(quantivo::Data d) { Guarda(d); }

void CampoData::TextoEditado() {
    // Only a complete date is announced while typing, as the picker would.
    const QString t = text();
    if (t.size() < 8) return;
    if (const auto d = TentaLerData(t.toStdString(), AnoDe(Hoje()))) Anuncia(*d);
}

void CampoData::AbreCalendario() {
    if (!calendario_) {
        calendario_ = new QCalendarWidget(this);
        calendario_->setWindowFlags(Qt::Popup);
        calendario_->setObjectName(QStringLiteral("calendario"));
        calendario_->setLocale(LocalBrasileiro());
        calendario_->setGridVisible(true);
        // Qt leaves the calendar's arrows and its grid of days unnamed.
        const std::pair<const char*, const char*> nomes[] = {{"qt_calendar_prevmonth", "Mês anterior"},
                                                             {"qt_calendar_nextmonth", "Próximo mês"},
                                                             {"qt_calendar_calendarview", "Dias do mês"}};
        for (const auto& [parte, nome] : nomes)
            if (auto* w = calendario_->findChild<QWidget*>(QLatin1String(parte))) {
                w->setAccessibleName(QString::fromUtf8(nome));
                if (qobject_cast<QAbstractButton*>(w)) w->setToolTip(QString::fromUtf8(nome));
            }
        connect(calendario_, &QCalendarWidget::clicked, this, [this](const QDate& q) {
            if (const auto d = CodificaData(q.year(), q.month(), q.day())) Guarda(*d);
            calendario_->hide();
            setFocus(Qt::OtherFocusReason);
        });
    }
    const quantivo::Data atual = Data();
    calendario_->setSelectedDate(ParaQDate(atual == kDataNula ? Hoje() : atual));
    calendario_->move(mapToGlobal(QPoint(0, height())));
    calendario_->show();
}

void CampoData::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // Typing starts at the day, as in a date picker. Entered by a click,
    // the press that gave the focus is still to place the caret: the field
    // is made ready when the click is over.
    if (e->reason() == Qt::MouseFocusReason)
        selecionaAoSoltar_ = true;
    else if (SemDigitos(text()))
        setCursorPosition(0);
    else if (e->reason() != Qt::PopupFocusReason)
        selectAll();
}

void CampoData::mouseReleaseEvent(QMouseEvent* e) {
    QLineEdit::mouseReleaseEvent(e);
    // Entered by a click, the date typed next replaces the whole one, as
    // when the field is entered by Tab; a part dragged over stays selected.
    if (!std::exchange(selecionaAoSoltar_, false) || hasSelectedText()) return;
    if (SemDigitos(text()))
        setCursorPosition(0);
    else
        selectAll();
}

QString TextoDataInvalida(const QString& texto) {
    return QStringLiteral("A data \"%1\" não existe.\nDigite uma data válida no formato dd/mm/aa.").arg(texto);
}

bool CampoData::ConfereData() {
    if (LeTexto()) return true;
    AvisaDataInvalida();
    return false;
}

void CampoData::AvisaDataInvalida() {
    avisoPendente_ = false;
    // The box takes the focus away: that must not warn again.
    if (avisando_) return;
    avisando_ = true;
    // Nothing of the field is touched after the box unless it is still there.
    const QPointer<CampoData> campo(this);
    ServicoMensagens().Mostra(TextoDataInvalida(text()).toStdString(), kTituloAtencao, Icone::Aviso);
    if (!campo) return;
    avisando_ = false;
    if (!isVisible() || !isEnabled()) return;
    // Back to the typed text, for correction (the window gives the focus to
    // it when the box has closed).
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void CampoData::focusOutEvent(QFocusEvent* e) {
    selecionaAoSoltar_ = false;
    switch (e->reason()) {
        case Qt::PopupFocusReason:
            break;  // the calendar or a context menu: still being edited
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
            // Left for another control of the window: a text that is no date
            // is said so once the focus has settled (a message box in the
            // middle of a focus change would take part in it).
            if (!LeTexto()) {
                if (!avisando_ && !avisoPendente_) {
                    avisoPendente_ = true;
                    QTimer::singleShot(0, this, [this] {
                        if (!std::exchange(avisoPendente_, false)) return;
                        if (isVisible() && !LeTexto()) AvisaDataInvalida();
                    });
                }
                break;
            }
            Guarda(*LeTexto());
            break;
        default:
            // The window lost the focus (a message box, another window, the
            // window closing): a date is taken, any other text stays as typed.
            if (const auto d = LeTexto()) Guarda(*d);
            break;
    }
    QLineEdit::focusOutEvent(e);
}

void CampoData::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && LeTexto() != data_) {
        Guarda(data_);
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier)) {
        AbreCalendario();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

}  // namespace quantivo
