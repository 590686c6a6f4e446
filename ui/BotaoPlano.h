#pragma once
// A flat button that takes no focus (the receipt window's buttons), and its
// accessibility. Qt's own interface for a tool button presses it from inside
// the accessibility client's call, so a screen reader's "press" on a button
// that opens a modal dialog would not return until that dialog closed; this
// button's press action only asks for the click, which then runs from the
// event loop as a mouse click would. Mouse, keyboard shortcut and click()
// stay as they are. The caption's "&" letter is its shortcut (Alt+letter),
// underlined on the button.
#include <QToolButton>

namespace quantivo {

class BotaoPlano : public QToolButton {
    Q_OBJECT
public:
    BotaoPlano(const QString& texto, const QIcon& icone, const QString& dica, QWidget* parent = nullptr);
};

}  // namespace quantivo
