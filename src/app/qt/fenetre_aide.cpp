#include "app/qt/fenetre_aide.h"

#include "document/textes_aide.h"
#include "plot/qt/textes_qt.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>

namespace varlem {

namespace {

// Height of a client area `largeur` wide whose text box shows `texte` whole, without scrolling,
// laid out line by line as the box itself does.
int hauteur_pour(const QPlainTextEdit& zone, const QString& texte, int largeur) {
    const int marge = qCeil(zone.document()->documentMargin());
    const int cadre = 2 * zone.frameWidth();
    const qreal largeur_texte = largeur - cadre - 2 * marge;
    qreal h = 0;
    for (const QString& paragraphe : texte.split(QLatin1Char('\n'))) {
        QTextLayout disposition(paragraphe, zone.font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        disposition.setTextOption(option);
        disposition.beginLayout();
        for (QTextLine l = disposition.createLine(); l.isValid(); l = disposition.createLine()) {
            l.setLineWidth(largeur_texte);
            h += l.height();
        }
        disposition.endLayout();
    }
    return qCeil(h) + cadre + 2 * marge + 2;
}

} // namespace

fenetre_aide::fenetre_aide(QWidget* parent) : QDialog(parent) {
    // A top-level window of its own even with a parent, with a dialog's frame.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setWindowTitle(QStringLiteral("Quelques règles de syntaxe"));
    setAccessibleName(windowTitle());

    texte_ = new QPlainTextEdit(this);
    texte_->setReadOnly(true);
    // Read-only, yet the keyboard can still move through and select the text.
    texte_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    texte_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    texte_->setAccessibleName(QStringLiteral("Texte d'aide"));
    // The greyed look of a fixed text, with the ordinary text colour so that it stays readable.
    QPalette p = texte_->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    texte_->setPalette(p);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(texte_);
    // The designed size, taller where the current font needs it to show the syntax text whole,
    // but never taller than most of the screen (the box scrolls then).
    const QString syntaxe = lignes_affichees(texte_aide_syntaxe());
    int h = std::max(hauteur, hauteur_pour(*texte_, syntaxe, largeur));
    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        h = std::min(h, std::max(hauteur, ecran->availableGeometry().height() * 4 / 5));
    setFixedSize(largeur, h);
}

void fenetre_aide::montrer_syntaxe() {
    montrer(titre_aide_syntaxe, texte_aide_syntaxe());
}

void fenetre_aide::montrer_correcteur() {
    montrer(titre_aide_correcteur, texte_aide_correcteur());
}

void fenetre_aide::montrer(const char* titre, const std::string& texte) {
    setWindowTitle(QString::fromUtf8(titre));
    // Heard as the caption it shows, whichever help it is.
    setAccessibleName(windowTitle());
    texte_->setPlainText(lignes_affichees(texte));
    texte_->setAccessibleDescription(windowTitle());
    show();
    raise();
    activateWindow();
    texte_->setFocus();
}

} // namespace varlem
