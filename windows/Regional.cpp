#include "windows/Regional.h"

#include <QLocale>

namespace quantivo {

void AplicaTextosRegionais() {
    QLocale br(QLocale::Portuguese, QLocale::Brazil);
    br.setNumberOptions(QLocale::DefaultNumberOptions);
    QLocale::setDefault(br);
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

}  // namespace quantivo
