#pragma once
// How the shared helpers of tests/support/ report a step they could not do
// (no widget with the focus, no modal window opening): the test programs make
// it a test failure (main_gui.cpp), the screenshot program a line on its
// error output and a failed run (tools/capturas/).
#include <string>

namespace quantivo::teste {

void Falha(const std::string& texto);

}  // namespace quantivo::teste
