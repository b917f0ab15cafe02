#include "document/qt/dialogue_saisie.h"

#include "document/fichier_fdt.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

namespace varlem {

namespace {

const QColor rouge_alerte(200, 0, 0);
const QColor jaune_alerte(255, 204, 0);

QFont police_image() {
    QFont f;
    f.setBold(true);
    f.setPixelSize(12);
    return f;
}

// A picture of `hauteur_signe` pixels of sign above `mot`, wide enough for both.
QPixmap toile(const QString& mot, int largeur_signe, int hauteur_signe) {
    const QFontMetrics fm(police_image());
    const int largeur = std::max(fm.horizontalAdvance(mot), largeur_signe) + 8;
    QPixmap p(largeur, hauteur_signe + fm.height() + 6);
    p.fill(Qt::transparent);
    return p;
}

// A red "!" drawn as a bar over a dot, centred in `zone`.
void point_exclamation(QPainter& g, const QRectF& zone) {
    const qreal l = zone.width();
    const QRectF barre(zone.center().x() - l / 2, zone.top(), l, zone.height() - 1.6 * l);
    QPainterPath trait;
    trait.moveTo(barre.topLeft());
    trait.lineTo(barre.topRight());
    trait.lineTo(barre.center().x() + l * 0.3, barre.bottom());
    trait.lineTo(barre.center().x() - l * 0.3, barre.bottom());
    trait.closeSubpath();
    g.setPen(Qt::NoPen);
    g.setBrush(rouge_alerte);
    g.drawPath(trait);
    g.drawEllipse(QPointF(zone.center().x(), zone.bottom() - l / 2), l / 2, l / 2);
}

void ecrire_mot(QPainter& g, const QPixmap& p, int haut, const QString& mot) {
    g.setFont(police_image());
    g.setPen(Qt::black);
    g.drawText(QRect(0, haut, p.width(), p.height() - haut), Qt::AlignHCenter | Qt::AlignTop, mot);
}

QLabel* image(const QPixmap& p, const QString& nom) {
    auto* l = new QLabel;
    l->setPixmap(p);
    l->setAccessibleName(nom);
    l->setToolTip(nom);
    // The dialog keeps its size whether the picture shows or not.
    QSizePolicy sp = l->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    l->setSizePolicy(sp);
    l->hide();
    return l;
}

} // namespace

QPixmap dialogue_saisie::image_syntaxe() {
    const QString mot = QStringLiteral("SYNTAXE");
    const int cote = 34;
    const int hauteur = 30;
    QPixmap p = toile(mot, cote, hauteur);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal cx = p.width() / 2.0;
    const QPolygonF triangle{QPointF(cx, 1.5), QPointF(cx + cote / 2.0, hauteur - 1.5),
                             QPointF(cx - cote / 2.0, hauteur - 1.5)};
    g.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(jaune_alerte);
    g.drawPolygon(triangle);
    point_exclamation(g, QRectF(cx - 2.2, 10, 4.4, hauteur - 14));
    ecrire_mot(g, p, hauteur + 2, mot);
    return p;
}

QPixmap dialogue_saisie::image_capacite() {
    const QString mot = QStringLiteral("CAPACITE");
    const int hauteur = 30;
    QPixmap p = toile(mot, 8, hauteur);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    point_exclamation(g, QRectF(p.width() / 2.0 - 3.5, 2, 7, hauteur - 3));
    ecrire_mot(g, p, hauteur + 2, mot);
    return p;
}

QPixmap dialogue_saisie::image_retard() {
    const QString mot = QStringLiteral("RETARD");
    const int diametre = 26;
    const int hauteur = 30;
    QPixmap p = toile(mot, diametre + 12, hauteur);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    // A clock face in the warning colour, its hands at a quarter past, and the red mark after it.
    const QPointF centre(p.width() / 2.0 - 5, hauteur / 2.0);
    const qreal r = diametre / 2.0;
    g.setPen(QPen(Qt::black, 1.5));
    g.setBrush(jaune_alerte);
    g.drawEllipse(centre, r, r);
    g.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(centre, centre + QPointF(0, -r * 0.7));
    g.drawLine(centre, centre + QPointF(r * 0.5, 0));
    point_exclamation(g, QRectF(centre.x() + r + 3, 3, 5, hauteur - 5));
    ecrire_mot(g, p, hauteur + 2, mot);
    return p;
}

dialogue_saisie::dialogue_saisie(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setModal(true);

    numerateur_ = new QLineEdit(QStringLiteral("1"));
    numerateur_->setAccessibleName(QStringLiteral("Numérateur"));
    denominateur_ = new QLineEdit(QStringLiteral("1+p"));
    denominateur_->setAccessibleName(QStringLiteral("Dénominateur"));
    for (QLineEdit* boite : {numerateur_, denominateur_}) {
        boite->setMinimumWidth(280);
        // Any text a system file holds fits whole: a function modified keeps all of it.
        boite->setMaxLength(static_cast<int>(longueur_max_ligne));
    }

    auto* barre = new QFrame;
    barre->setFrameShape(QFrame::HLine);
    barre->setFrameShadow(QFrame::Plain);
    barre->setLineWidth(2);

    image_syntaxe_ = image(image_syntaxe(), QStringLiteral("SYNTAXE"));
    image_capacite_ = image(image_capacite(), QStringLiteral("CAPACITE"));

    auto* boutons = new QDialogButtonBox;
    bouton_ok_ = boutons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    bouton_ok_->setToolTip(QStringLiteral("Accepter fonction"));
    bouton_ok_->setDefault(true);
    bouton_annuler_ = boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    bouton_annuler_->setToolTip(QStringLiteral("Annuler entrée"));
    connect(bouton_ok_, &QPushButton::clicked, this, &dialogue_saisie::au_clic_ok);
    connect(bouton_annuler_, &QPushButton::clicked, this, &QDialog::reject);

    construire_ligne_retard();

    auto* grille = new QGridLayout(this);
    grille->addWidget(numerateur_, 0, 0, Qt::AlignBottom);
    grille->addWidget(image_syntaxe_, 0, 1);
    grille->addWidget(barre, 1, 0);
    grille->addWidget(denominateur_, 2, 0, Qt::AlignTop);
    grille->addWidget(image_capacite_, 2, 1);
    // Level with the top of its picture, as the denominator is with the capacity picture.
    grille->addWidget(ligne_retard_, 3, 0, Qt::AlignTop);
    grille->addWidget(image_retard_, 3, 1);
    grille->addWidget(boutons, 4, 0, 1, 2);
    grille->setVerticalSpacing(4);
    grille->setRowMinimumHeight(4, 40);
    grille->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(numerateur_, denominateur_);
    setTabOrder(denominateur_, retard_);
    setTabOrder(retard_, bouton_ok_);
    setTabOrder(bouton_ok_, bouton_annuler_);
}

void dialogue_saisie::construire_ligne_retard() {
    retard_ = new QLineEdit;
    retard_->setAccessibleName(QStringLiteral("Retard τ (s)"));
    retard_->setToolTip(QStringLiteral("Retard pur en secondes : vide ou 0 pour aucun"));
    retard_->setMaxLength(static_cast<int>(longueur_max_ligne_retard));
    auto* etiquette = new QLabel(QStringLiteral("&Retard τ (s)"));
    etiquette->setBuddy(retard_);
    ligne_retard_ = new QWidget;
    auto* l = new QHBoxLayout(ligne_retard_);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(etiquette);
    l->addWidget(retard_, 1);
    image_retard_ = image(image_retard(), QStringLiteral("RETARD"));
}

void dialogue_saisie::montrer_ligne_retard(bool visible) {
    ligne_retard_->setVisible(visible);
    // Without its row, the picture keeps no room either: the return path's dialog stays as
    // compact as it always was.
    QSizePolicy sp = image_retard_->sizePolicy();
    sp.setRetainSizeWhenHidden(visible);
    image_retard_->setSizePolicy(sp);
    if (!visible) image_retard_->hide();
}

bool dialogue_saisie::saisir(const QString& titre, const validation& valider) {
    setWindowTitle(titre);
    valider_ = valider;
    montrer_ligne_retard(valider_.prend_retard());
    // A button pressed in an earlier entry can still be the default one: Return means "OK".
    bouton_ok_->setDefault(true);
    denominateur_->setFocus();
    denominateur_->selectAll();
    const bool acceptee = exec() == QDialog::Accepted;
    valider_ = nullptr;
    return acceptee;
}

void dialogue_saisie::remplir(const QString& num, const QString& den) {
    numerateur_->setText(num);
    denominateur_->setText(den);
}

void dialogue_saisie::remplir_retard(const QString& retard) {
    retard_->setText(retard);
}

void dialogue_saisie::closeEvent(QCloseEvent* e) {
    // "OK" and "Annuler" end the dialog without a close event: any close request comes from
    // the frame or the window manager.
    e->ignore();
}

void dialogue_saisie::au_clic_ok() {
    // Without a check (the dialog opened for nothing) "OK" just closes it.
    if (!valider_) {
        accept();
        return;
    }
    const std::string num = numerateur_->text().toStdString();
    const std::string den = denominateur_->text().toStdString();
    const erreurs_saisie e = valider_.prend_retard()
                                 ? valider_(num, den, retard_->text().toStdString())
                                 : valider_(num, den);
    // The delay is read apart from the texts: its picture always tells about it.
    if (valider_.prend_retard()) image_retard_->setVisible(e.erreur_retard);
    // The capacity picture is left alone while the text does not even parse.
    image_syntaxe_->setVisible(e.erreur_syntaxe);
    if (e.erreur_syntaxe) return;
    image_capacite_->setVisible(e.erreur_degre);
    if (!e.acceptee()) return;
    accept();
}

} // namespace varlem
