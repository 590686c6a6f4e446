#pragma once
// What a screen reader is told about the program's own top-level windows.

namespace quantivo {

// A window built on a plain QWidget reaches a screen reader as a "filler"
// (Qt gives such a widget the client role, top-level or not). Installed once
// (later calls do nothing), this gives every such top-level window the window
// role, as Qt's own main windows and dialogs have theirs.
void DaPapelDeJanela();

}  // namespace quantivo
