// Every window of the program, opened as its road opens it, read through Qt's
// accessibility interfaces as a screen reader reads them: each field, list,
// grid, check box and button has a caption (its accessible name, or a label
// tied to it), each label's text can be read, and the dialogs Qt draws for the
// program (printing, preview, message box, context menu, calendar) speak
// Portuguese.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <cstdio>
#include <set>

#include "output/F_PARAMETROS.h"
#include "output/F_PRIN.h"
#include "output/F_REL.h"
#include "output/Listagem.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/Exemplos.h"
#include "tests/support/ProgramaTeste.h"
#include "windows/UfrmSalvaOperacao.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;
using teste::Controles;
using teste::NaProximaModal;

namespace {

QString Nome(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

QString Plano(QString t) {
    t.replace(QLatin1String("&&"), QLatin1String("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return t.simplified();
}

// A label tied to the control, as a screen reader finds it (a group box's
// title, which Qt also reports, is no caption of one control).
QString Legenda(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    if (!i) return {};
    for (const auto& [rotulo, relacao] : i->relations(QAccessible::Label))
        if (rotulo && qobject_cast<QLabel*>(rotulo->object())) return rotulo->text(QAccessible::Name);
    return {};
}

// What a screen reader cannot reach in one of the program's windows.
QStringList Inacessiveis(QWidget* janela) {
    QStringList faltas;
    const auto onde = [janela](QWidget* w) {
        return QString::fromLatin1(janela->metaObject()->className()) + "/" + w->metaObject()->className() + " " +
               w->objectName();
    };
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (w->window() != janela || !w->isVisibleTo(janela)) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(l);
            const QString lido = Plano(i->text(QAccessible::Name) + " " + i->text(QAccessible::Description));
            if (!l->pixmap().isNull() && Plano(i->text(QAccessible::Name)).isEmpty())
                faltas << onde(w) + ": picture without a name";
            else if (!lido.contains(Plano(l->text())))
                faltas << onde(w) + ": text \"" + l->text() + "\" not read, only \"" + lido + "\"";
            continue;
        }
        const bool lista = qobject_cast<QComboBox*>(w);
        const bool campo = (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())) ||
                           (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w));
        const bool botao = qobject_cast<QAbstractButton*>(w);
        if (lista) {
            // Qt names a list after its current item; the caption is its label.
            if (Legenda(w).isEmpty()) faltas << onde(w) + ": list without a label";
        } else if (campo) {
            if (w->accessibleName().isEmpty() && Legenda(w).isEmpty()) faltas << onde(w) + ": field without a caption";
        } else if (botao) {
            if (Plano(Nome(w)).isEmpty()) faltas << onde(w) + ": button without a name";
        } else if (auto* c = qobject_cast<QLineEdit*>(w)) {  // an editable list's text field
            if (c->accessibleName().isEmpty()) faltas << onde(w) + ": list text without a name";
        }
    }
    return faltas;
}

// Every text a Qt dialog shows or tells a screen reader.
QStringList Textos(QWidget* dialogo) {
    QStringList t{dialogo->windowTitle()};
    QList<QWidget*> ws = dialogo->findChildren<QWidget*>();
    ws << dialogo;
    for (QWidget* w : ws) {
        t << w->toolTip() << w->accessibleName();
        if (auto* l = qobject_cast<QLabel*>(w)) t << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) t << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) t << g->title();
        if (auto* e = qobject_cast<QLineEdit*>(w)) t << e->placeholderText();
        for (QAction* a : w->actions()) t << a->text() << a->toolTip();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) t << c->itemText(i);
        if (QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w))
            t << i->text(QAccessible::Name) << i->text(QAccessible::Description);
    }
    return t;
}

// English words among texts; Portuguese has none of these.
QStringList Ingles(const QStringList& textos) {
    static const std::set<QString> palavras = [] {
        std::set<QString> s;
        for (const char* p :
             {"print",       "printer",   "properties",  "options",  "cancel",    "close",    "page",     "pages",
              "setup",       "copies",    "copy",        "next",     "previous",  "first",    "last",     "fit",
              "width",       "portrait",  "landscape",   "undo",     "redo",      "cut",      "paste",    "delete",
              "select",      "all",       "file",        "name",     "location",  "type",     "help",     "yes",
              "apply",       "save",      "open",        "show",     "preview",   "export",   "collate",  "reverse",
              "color",       "grayscale", "range",       "current",  "selection", "output",   "settings", "paper",
              "size",        "source",    "orientation", "margins",  "facing",    "overview", "single",   "today",
              "month",       "year",      "the",         "of",       "and",       "to",       "with",     "from",
              "for",         "in",        "out",         "on",       "off",       "or",       "is",       "not",
              "zoom",        "side",      "long",        "short",    "left",      "right",    "top",      "bottom",
              "custom",      "default",   "unknown",     "quality",  "browse",    "details",  "warning",  "error",
              "information", "question",  "monday",      "tuesday",  "wednesday", "thursday", "friday",   "saturday",
              "sunday",      "january",   "february",    "march",    "april",     "may",      "june",     "july",
              "august",      "september", "october",     "november", "december",  "week",     "day"})
            s.insert(QString::fromLatin1(p));
        return s;
    }();
    QStringList achadas;
    static const QRegularExpression palavra(QStringLiteral("[A-Za-z]+"));
    for (const QString& texto : textos) {
        for (auto m = palavra.globalMatch(Plano(texto)); m.hasNext();) {
            const QString p = m.next().captured();
            if (palavras.count(p.toLower())) achadas << p + " (in \"" + Plano(texto) + "\")";
        }
    }
    achadas.removeDuplicates();
    return achadas;
}

// WCAG's contrast of two colours, 1 to 21.
double Contraste(const QColor& a, const QColor& b) {
    const auto luz = [](const QColor& c) {
        const auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
    };
    const double la = luz(a), lb = luz(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour a control's text is drawn on: its own when it paints its
// background, else that of the nearest box around it that does, else its
// window's.
QColor FundoDe(const QWidget* w, QPalette::ColorGroup grupo) {
    for (const QWidget* x = w; x; x = x->parentWidget())
        if (x->autoFillBackground() || x->isWindow()) return x->palette().color(grupo, QPalette::Window);
    return {};
}

// The contrast of a control's text, as the palette Qt paints it with gives
// it; 0 for a control that shows no text of its own.
double ContrasteDoTexto(QWidget* w) {
    const QPalette::ColorGroup g = w->isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QPalette& p = w->palette();
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (!l->pixmap().isNull() || Plano(l->text()).isEmpty()) return 0;
        return Contraste(p.color(g, l->foregroundRole()), FundoDe(l, g));
    }
    if (qobject_cast<QLineEdit*>(w)) return Contraste(p.color(g, QPalette::Text), p.color(g, QPalette::Base));
    if (auto* c = qobject_cast<QCheckBox*>(w)) return Contraste(p.color(g, QPalette::WindowText), FundoDe(c, g));
    if (auto* r = qobject_cast<QRadioButton*>(w)) return Contraste(p.color(g, QPalette::WindowText), FundoDe(r, g));
    if (auto* t = qobject_cast<QToolButton*>(w)) {
        if (t->text().isEmpty() || t->toolButtonStyle() == Qt::ToolButtonIconOnly) return 0;
        return Contraste(p.color(g, QPalette::ButtonText),
                         t->autoRaise() ? FundoDe(t->parentWidget(), g) : p.color(g, QPalette::Button));
    }
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text().isEmpty() ? 0 : Contraste(p.color(g, QPalette::ButtonText), p.color(g, QPalette::Button));
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->isEditable() ? 0 : Contraste(p.color(g, QPalette::ButtonText), p.color(g, QPalette::Button));
    if (auto* q = qobject_cast<QGroupBox*>(w))
        return q->title().isEmpty() ? 0 : Contraste(p.color(g, QPalette::WindowText), FundoDe(q, g));
    return 0;
}

// Every text of the window below 4.5:1, and the lowest figure seen.
QStringList Ilegiveis(QWidget* janela, double& menor) {
    QStringList faltas;
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (w->window() != janela || !w->isVisibleTo(janela)) continue;
        const double c = ContrasteDoTexto(w);
        if (c == 0) continue;
        menor = std::min(menor, c);
        if (c < 4.5)
            faltas << QString::fromLatin1(janela->metaObject()->className()) + "/" + w->objectName() + " " +
                          w->metaObject()->className() + QStringLiteral(": contrast %1:1").arg(c, 0, 'f', 2);
    }
    return faltas;
}

// The controls Tab reaches from the focused one, each once, going round the
// window: what takes the focus by Tab and is not reached, and what is
// reached out of `ordem` (the reading order, when given).
QStringList AlcanceDoTab(QWidget* janela) {
    const auto dono = [](QWidget* w) {
        while (w && w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) w = w->parentWidget();
        return w;
    };
    QList<QWidget*> esperados;
    for (QWidget* w : janela->findChildren<QWidget*>())
        if (w->window() == janela && w->isVisibleTo(janela) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            dono(w) == w && !w->focusProxy())
            esperados << w;
    QList<QWidget*> vistos;
    for (int i = 0; i < 2 * esperados.size() + 2 && QApplication::focusWidget(); ++i) {
        QWidget* w = dono(QApplication::focusWidget());
        if (!vistos.contains(w)) vistos << w;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::activeModalWidget() && QApplication::activeModalWidget() != janela &&
            janela->isAncestorOf(QApplication::activeModalWidget()))
            break;
    }
    // Tab reaches one button of a group of exclusive radio buttons; the
    // arrows choose among them.
    const auto doGrupo = [&vistos](QWidget* w) {
        auto* r = qobject_cast<QRadioButton*>(w);
        if (!r || !r->autoExclusive()) return false;
        for (QWidget* v : vistos)
            if (qobject_cast<QRadioButton*>(v) && v->parentWidget() == r->parentWidget()) return true;
        return false;
    };
    QStringList faltas;
    for (QWidget* w : esperados)
        if (!vistos.contains(w) && !doGrupo(w))
            faltas << QString::fromLatin1(janela->metaObject()->className()) + "/" + w->objectName() + " " +
                          w->metaObject()->className() + ": not reached by Tab";
    return faltas;
}

class Acessibilidade : public teste::ProgramaTeste {
protected:
    void SetUp() override {
        ProgramaTeste::SetUp();
        guarda.Permite(true);  // NaProximaModal closes what it opens
        MostraMenu();
    }
    // Each window's gaps, by window, for one report at the end.
    void Confere(QWidget* janela) {
        ASSERT_NE(janela, nullptr);
        EXPECT_TRUE(janela->isVisible()) << janela->objectName().toStdString();
        const QString classe = QString::fromLatin1(janela->metaObject()->className());
        faltas << Inacessiveis(janela);
        double menor = 21;
        faltas << Ilegiveis(janela, menor);
        contrastes << classe + QStringLiteral(" %1:1").arg(menor, 0, 'f', 1);
        if (janela->windowType() != Qt::Popup) {
            // A screen reader meets it as a window (or a dialog), not as a filler.
            const QAccessible::Role papel = QAccessible::queryAccessibleInterface(janela)->role();
            if (papel != QAccessible::Window && papel != QAccessible::Dialog)
                faltas << classe + QStringLiteral(": role %1, not a window").arg(papel);
            QApplication::setActiveWindow(janela);
            faltas << AlcanceDoTab(janela);
        }
        vistas << classe;
    }
    void ConfereQt(QWidget* dialogo, const char* qual) {
        ASSERT_NE(dialogo, nullptr) << qual;
        for (const QString& p : Ingles(Textos(dialogo))) faltas << QString::fromLatin1(qual) + ": " + p;
        vistas << QString::fromLatin1(qual);
    }

    QStringList faltas, vistas, contrastes;
};

}  // namespace

TEST_F(Acessibilidade, TodaJanelaLegivelEDialogosDoQtEmPortugues) {
    Confere(frm_principal);

    // The two entry windows; the cheque discount's hand-over shows the workbench.
    NaProximaModal([this](QWidget* w) {
        Confere(w);
        auto* j = qobject_cast<Tfrm_venda_por_fora*>(w);
        ASSERT_NE(j, nullptr);
        QToolButton* icone = j->data_ref->findChild<QToolButton*>();
        ASSERT_NE(icone, nullptr);
        QAccessibleInterface* botao = QAccessible::queryAccessibleInterface(icone);
        botao->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_TRUE(
            QTest::qWaitFor([j] { return j->data_ref->Calendario() && j->data_ref->Calendario()->isVisible(); }, 2000));
        Confere(j->data_ref->Calendario());
        ConfereQt(j->data_ref->Calendario(), "calendar");
        j->data_ref->Calendario()->hide();
    });
    frm_principal->SpeedButton6->click();
    NaProximaModal([this](QWidget* w) {
        Confere(w);
        auto* j = qobject_cast<Tfrm_desconto*>(w);
        ASSERT_NE(j, nullptr);
        std::unique_ptr<QMenu> menu(j->edtTaxa->createStandardContextMenu());
        ConfereQt(menu.get(), "context menu");
        j->edtTaxa->DefineValor(3);
        j->BitBtn1->click();
    });
    frm_principal->SpeedButton5->click();
    QApplication::setActiveWindow(frm_principal);
    frm_principal->SpeedButton7->click();
    Confere(frmPostecipada);
    frmPostecipada->bsair->click();
    NaProximaModal([this](QWidget* w) { Confere(w); });
    frm_principal->SpeedButton8->click();

    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    Confere(f);
    NaProximaModal([this](QWidget* w) { Confere(w); });
    Controles(f).SpeedButton2->click();  // "Ajuda"
#ifndef _WIN32                           // Windows' print dialog is the system's own, not Qt's widgets
    NaProximaModal([this](QWidget* w) { ConfereQt(w, "print dialog"); });
    Controles(f).btnImprime->click();
#endif

    // The receipt, its settings, the message of a missing settings file, and the preview.
    DefineVisualizaRecibo({});
    NaProximaModal([this](QWidget* w) {
        Confere(w);
        auto* r = qobject_cast<TFPRIN*>(w);
        ASSERT_NE(r, nullptr);
        DefineServicoMensagens(nullptr);
        NaProximaModal([this](QWidget* m) { ConfereQt(m, "message box"); });
        r->SpeedButton5->click();
        DefineServicoMensagens(&msgs);
        NaProximaModal([this](QWidget* p) {
            Confere(p);
            auto* c = qobject_cast<TFPARAMETROS*>(p);
            ASSERT_NE(c, nullptr);
            for (QLineEdit* e : {c->tnome, c->tatividade, c->tendereco, c->tcidade, c->tassinatura})
                e->setText(QStringLiteral("x"));
            c->bsalvar->click();
        });
        r->SpeedButton2->click();
        r->tvalor->DefineValor(10);
        r->trecebi->setText(QStringLiteral("Fulano"));
        r->treferente->setText(QStringLiteral("Aluguel"));
        NaProximaModal([this](QWidget* p) {
            ConfereQt(p, "print preview");
            // Every control of Qt's preview has a caption (the zoom box too),
            // and the zoom box is still a list to a screen reader.
            faltas << Inacessiveis(p);
            for (QComboBox* c : p->findChildren<QComboBox*>())
                if (QAccessible::queryAccessibleInterface(c)->role() != QAccessible::ComboBox)
                    faltas << QStringLiteral("print preview: the zoom box is not a list");
        });
        r->SpeedButton5->click();
    });
    Controles(f).btnrecibo->click();

    // The kept operations: the save dialog over a calculated discount, the
    // list of the saved ones, and Qt's file dialog of an export.
    teste::DadosDoExemplo(*f);
    f->DefineTipoSemReacao(TipoCalculo::DescontoCheque);
    Controles(f).grid->Modelo()->DefineCelula(0, 0, QStringLiteral("31/12/07"));
    Controles(f).grid->Modelo()->DefineCelula(0, 1, QStringLiteral("1000"));
    Controles(f).btnCalcula->click();
    NaProximaModal<TfrmSalvaOperacao>([this](TfrmSalvaOperacao* d) {
        Confere(d);
        d->edtCliente->setText(QStringLiteral("Fulano"));
        d->btnSalva->click();
    });
    Controles(f).btnSalva->click();
    NaProximaModal<TfrmOperacoes>([this](TfrmOperacoes* j) {
        Confere(j);
        j->lstOperacoes->selectRow(0);
        NaProximaModal([this](QWidget* d) { ConfereQt(d, "file dialog"); });
        j->btnExporta->click();
    });
    AbreOperacoes(f);

#ifdef _WIN32
    EXPECT_EQ(vistas.size(), 17) << vistas.join(", ").toStdString();
#else
    EXPECT_EQ(vistas.size(), 18) << vistas.join(", ").toStdString();
#endif
    EXPECT_EQ(faltas, QStringList{}) << faltas.join("\n").toStdString();
    if (qEnvironmentVariableIsSet("QUANTIVO_CONTRASTES")) std::printf("%s\n", qPrintable(contrastes.join("\n")));
}

// The states the walk above does not see: each description of the main menu
// under the mouse, the fields while they have the focus, the receipt's words.
TEST_F(Acessibilidade, TextosEmCadaEstadoComContrasteDeQuatroEMeioOuMais) {
    for (int i = -1; i < 4; ++i) {
        frm_principal->DestacaDescricao(i);
        for (MemoTexto* m : {frm_principal->Memo1, frm_principal->Memo2, frm_principal->Memo3, frm_principal->Memo4})
            EXPECT_GE(ContrasteDoTexto(m), 4.5) << i << " " << m->objectName().toStdString();
    }
    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    f->show();
    QApplication::setActiveWindow(f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    for (QWidget* campo : {static_cast<QWidget*>(Controles(f).data_ref), static_cast<QWidget*>(Controles(f).Edit6),
                           static_cast<QWidget*>(Controles(f).Edit1), static_cast<QWidget*>(Controles(f).edtTARIFA)}) {
        campo->setFocus(Qt::TabFocusReason);
        EXPECT_GE(ContrasteDoTexto(campo), 4.5) << campo->objectName().toStdString() << " with the focus";
        if (campo != Controles(f).edtTARIFA) {  // yellow while focused, as before
            EXPECT_EQ(campo->palette().color(QPalette::Base), QColor(255, 255, 0)) << campo->objectName().toStdString();
        }
    }
    Controles(f).btnCalcula->setFocus();
    EXPECT_GE(ContrasteDoTexto(Controles(f).Edit6), 4.5);
    auto* titulo = frmRenegociacao->findChild<QLabel*>("lblAtualiza");
    ASSERT_NE(titulo, nullptr);
    EXPECT_EQ(titulo->text(), "ATUALIZA A DÍVIDA");
    EXPECT_EQ(FundoDe(titulo, QPalette::Active), QColor(255, 255, 0));  // the yellow mark, as a band
    EXPECT_GE(ContrasteDoTexto(titulo), 4.5);
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    r.extenso->setText(QStringLiteral("dez reais "));
    EXPECT_GE(ContrasteDoTexto(r.extenso), 4.5);
}

TEST_F(Acessibilidade, ResultadosEmCamposDesabilitadosComContrasteDeQuatroEMeioOuMais) {
    for (QLineEdit* campo :
         {static_cast<QLineEdit*>(Controles(frm_desconto_cheque).Edit2),
          static_cast<QLineEdit*>(frmRenegociacao->edtVlrAtualizado), static_cast<QLineEdit*>(frmRenegociacao->edtDias),
          static_cast<QLineEdit*>(frmRenegociacao->edtVlrAtualizado2)}) {
        EXPECT_FALSE(campo->isEnabled()) << campo->objectName().toStdString();
        const QPalette& p = campo->palette();
        EXPECT_GE(Contraste(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Disabled, QPalette::Base)),
                  4.5)
            << campo->objectName().toStdString();
    }
}
