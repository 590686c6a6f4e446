#pragma once
// A temporary folder that holds the clerk's own settings (the holiday option,
// the local holidays) for as long as it lives; the folder in use before comes
// back after it.
#include <QFile>
#include <QTemporaryDir>

#include "ui/Preferencias.h"

namespace quantivo::teste {

class PastaDePreferencias : public QTemporaryDir {
public:
    PastaDePreferencias() : antes_(DiretorioPreferencias()) { DefineDiretorioPreferencias(path()); }
    ~PastaDePreferencias() { DefineDiretorioPreferencias(antes_); }
    PastaDePreferencias(const PastaDePreferencias&) = delete;
    PastaDePreferencias& operator=(const PastaDePreferencias&) = delete;

    bool Escreve(const QString& nome, const QByteArray& bytes) const {
        QFile f(filePath(nome));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    QByteArray Le(const QString& nome) const {
        QFile f(filePath(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QString antes_;
};

}  // namespace quantivo::teste
