#pragma once
// A temporary folder that stands for the program's own folder (where
// valida.ini is kept beside the executable), the listing's folder
// (Listagem.txt) and the journal's (diario.sqlite) for as long as it lives,
// so that nothing is read from or written to the user's real places. The
// clerk's own settings (the holiday option, the local holidays) go there too.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include "output/Arquivos.h"
#include "tests/support/PastaDePreferencias.h"

namespace quantivo::teste {

class PastaDoPrograma : public QTemporaryDir {
public:
    PastaDoPrograma() : preferenciasAntes_(DiretorioPreferencias()) {
        DefineDiretorioPrograma(path());
        DefineDiretorioListagem(path());
        DefineDiretorioDiario(path());
        DefineDiretorioPreferencias(path());
    }
    ~PastaDoPrograma() {
        DefineDiretorioPreferencias(preferenciasAntes_);
        DefineDiretorioDiario({});
        DefineDiretorioListagem({});
        DefineDiretorioPrograma({});
    }
    PastaDoPrograma(const PastaDoPrograma&) = delete;
    PastaDoPrograma& operator=(const PastaDoPrograma&) = delete;

    // Writes a file of the folder; false when it could not.
    bool Escreve(const QString& nome, const QByteArray& bytes) const {
        QFile f(filePath(nome));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }

private:
    QString preferenciasAntes_;
};

// A file's bytes; empty when it cannot be read.
inline QByteArray Bytes(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace quantivo::teste
