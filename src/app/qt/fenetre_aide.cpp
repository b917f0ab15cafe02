#include "app/qt/fenetre_aide.h"

#include "document/textes_aide.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace varlem {

namespace {

// The core texts end their lines with CR LF; the text box wants one line feed per line.
QString lignes_affichees(const std::string& texte) {
    QString t = QString::fromStdString(texte);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

fenetre_aide::fenetre_aide(QWidget* parent) : QDialog(parent) {
    // A top-level window of its own even with a parent, with a dialog's frame.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setWindowTitle(QStringLiteral("Quelques règles de syntaxe"));
    setAccessibleName(QStringLiteral("Aide"));

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
    setFixedSize(largeur, hauteur);
}

void fenetre_aide::montrer_syntaxe() { montrer(titre_aide_syntaxe, texte_aide_syntaxe()); }

void fenetre_aide::montrer_correcteur() {
    montrer(titre_aide_correcteur, texte_aide_correcteur());
}

void fenetre_aide::montrer(const char* titre, const std::string& texte) {
    setWindowTitle(QString::fromUtf8(titre));
    texte_->setPlainText(lignes_affichees(texte));
    texte_->setAccessibleDescription(windowTitle());
    show();
    raise();
    activateWindow();
    texte_->setFocus();
}

} // namespace varlem
