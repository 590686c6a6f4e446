#include "ui/CampoData.h"

#include <QAbstractButton>
#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QScopedValueRollback>
#include <QTimer>
#include <utility>

#include "ui/Aparencia.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"

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

}  // namespace

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
    // Typing starts at the day, as in a date picker.
    if (SemDigitos(text()))
        setCursorPosition(0);
    else if (e->reason() != Qt::MouseFocusReason && e->reason() != Qt::PopupFocusReason)
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
