#pragma once
// Replacing a file the user relies on without ever leaving it half written:
// the bytes go to a fresh file in the same directory (never through a link),
// reach the disk, and are renamed over the path. A link found at the path is
// replaced, not followed; the old file's permissions carry over.
// Written here rather than with QSaveFile: QSaveFile writes through a link
// planted at the path (to the file it points at) instead of replacing it, and
// this writer also serves quantivo-batch, which has no Qt.
#include <filesystem>
#include <string>
#include <string_view>

namespace quantivo {

// A path as the functions here and in output/Cadastro take it, made into one
// for the file functions: the system's own bytes on POSIX; UTF-8 on Windows,
// whose file names are Unicode (its 8-bit code page cannot name every file,
// and a message naming the path is UTF-8 text).
std::filesystem::path CaminhoDoSistema(const std::string& caminho);

// False, with the reason, when the file could not be written; the old file
// then stays as it was and no temporary file is left.
bool GravaSubstituindo(const std::string& caminho, std::string_view bytes, std::string& motivo);

}  // namespace quantivo
