// gera-manual: turns the user manual's HTML source into an A4 PDF with Qt's
// own text layout, so the build needs no tool beyond Qt.
//   gera-manual manual.html Manual_Quantivo.pdf
// Picture paths are relative to the HTML file's folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>
#include <cstdio>

namespace {

// Loads every picture the text names, from paths relative to the HTML file,
// into the document's resources (print() lays out a copy, which keeps them).
// A picture that does not load fails the build instead of leaving a hole.
bool CarregaImagens(QTextDocument& doc, const QDir& base) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat()) continue;
            const QString nome = f.toImageFormat().name();
            const QImage imagem(base.filePath(nome));
            if (imagem.isNull()) {
                std::fprintf(stderr, "gera-manual: imagem não encontrada: %s\n", qPrintable(nome));
                return false;
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(nome), imagem);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: gera-manual manual.html saida.pdf\n");
        return 2;
    }
    QFile fonte(QString::fromLocal8Bit(argv[1]));
    if (!fonte.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "gera-manual: não abre %s\n", argv[1]);
        return 1;
    }
    const QString html = QString::fromUtf8(fonte.readAll());

    const QString saida = QString::fromLocal8Bit(argv[2]);
    const QString temporario = saida + QStringLiteral(".tmp");
    {
        QPdfWriter pdf(temporario);
        pdf.setTitle(QStringLiteral("Manual do Quantivo"));
        pdf.setCreator(QStringLiteral("Quantivo"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

        // Left unpaginated, print() lays the text out on the page with 2 cm
        // margins, in the writer's resolution, and numbers the pages.
        QTextDocument doc;
        doc.setHtml(html);
        if (!CarregaImagens(doc, QFileInfo(fonte).absoluteDir())) return 1;
        doc.print(&pdf);
    }
    // Written aside and renamed, so that a failed run leaves no half a manual.
    QFile::remove(saida);
    if (!QFile::rename(temporario, saida)) {
        std::fprintf(stderr, "gera-manual: não grava %s\n", argv[2]);
        return 1;
    }
    return 0;
}
