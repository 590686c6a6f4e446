#include "ui/Regional.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace quantivo {

QLocale LocalBrasileiro() {
    QLocale br(QLocale::Portuguese, QLocale::Brazil);
    br.setNumberOptions(QLocale::DefaultNumberOptions);
    return br;
}

void AplicaTextosRegionais() { QLocale::setDefault(LocalBrasileiro()); }

bool CarregaTraducoesQt() {
    static QPointer<QTranslator> traducao;
    if (traducao) return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    const QString nome = QStringLiteral("qtbase_pt_BR");
    for (const QString& dir : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (t->load(nome, dir)) {
            QCoreApplication::installTranslator(t);
            traducao = t;
            return true;
        }
    }
    delete t;
    return false;
}

QString HoraLonga(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }

QFont FonteJanela(int pontos, bool negrito) {
    QFont f(QStringLiteral("Arial"), pontos);
    f.setStyleHint(QFont::SansSerif);
    f.setBold(negrito);
    return f;
}

QFont FonteFixa(int pontos, bool negrito) {
    QFont f(QStringLiteral("Courier New"), pontos);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setBold(negrito);
    return f;
}

QFont FonteArial(int pixels, bool negrito) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

}  // namespace quantivo
