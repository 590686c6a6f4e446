#pragma once
// The program's regional settings, in one place. The program is made for the
// Brazilian settings and behaves so whatever the machine's locale: decimal
// ",", digit groups ".", short date "dd/mm/yy", long time "HH:mm:ss".
#include <QFont>
#include <QLocale>
#include <QString>
#include <QTime>

namespace quantivo {

// The Brazilian settings: month names, digit groups and the rest.
QLocale LocalBrasileiro();

// The process-wide text settings, applied when the main menu is created and
// again whenever the workbench or an entry window becomes active.
void AplicaTextosRegionais();

// Qt's own texts in Brazilian Portuguese (the print dialog, the print
// preview, the text fields' context menu, the standard buttons), whatever the
// machine's locale: Qt's catalogue qtbase_pt_BR.qm from Qt's translations
// folder, or from a "translations" folder beside the executable. False when
// it was not found; Qt then speaks English.
bool CarregaTraducoesQt();

// The regional long time form.
QString HoraLonga(const QTime& t);

// The fonts the windows ask for ("MS Sans Serif"-sized body text; a
// fixed-pitch face for the totals). fontconfig maps the names to the
// metric-compatible Liberation faces on Linux.
QFont FonteJanela(int pontos = 8, bool negrito = false);
QFont FonteFixa(int pontos = 9, bool negrito = false);
// Arial at a size in pixels (the receipt's windows).
QFont FonteArial(int pixels, bool negrito = false);

}  // namespace quantivo
