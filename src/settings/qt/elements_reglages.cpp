#include "settings/qt/elements_reglages.h"

#include "settings/contraste.h"

#include "document/etudes_systeme.h"
#include "plot/qt/surface_qt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// Room around the text, where the focus frame is drawn.
constexpr int marge_h = 4;
constexpr int marge_v = 3;

QString avec_mnemonique(QString texte, QChar lettre) {
    texte.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (lettre.isNull()) return texte;
    const qsizetype i = texte.indexOf(lettre, 0, Qt::CaseInsensitive);
    if (i >= 0) texte.insert(i, QLatin1Char('&'));
    return texte;
}

// The colour of the settings for a Qt colour.
couleur couleur_de(const QColor& c) {
    return static_cast<couleur>(c.red()) | static_cast<couleur>(c.green()) << 8 |
           static_cast<couleur>(c.blue()) << 16;
}

void fleche(QPainter& g, QPointF de, QPointF a) {
    g.drawLine(de, a);
    const QLineF trait(a, de);
    const QPointF u = trait.unitVector().p2() - trait.p1();
    const QPointF n(-u.y(), u.x());
    QPainterPath pointe;
    pointe.moveTo(a);
    pointe.lineTo(a + 3.5 * u + 2.5 * n);
    pointe.lineTo(a + 3.5 * u - 2.5 * n);
    pointe.closeSubpath();
    g.fillPath(pointe, g.pen().color());
}

} // namespace

etiquette_cliquable::etiquette_cliquable(const QString& texte, QChar mnemonique, QWidget* parent)
    : QPushButton(parent), mnemonique_(mnemonique) {
    setFlat(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QString::fromUtf8(aide_etiquette));
    setAccessibleDescription(QString::fromUtf8(aide_etiquette));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    changer_texte(texte);
}

void etiquette_cliquable::changer_texte(const QString& texte) {
    texte_ = texte;
    setText(avec_mnemonique(texte, mnemonique_));
    setAccessibleName(nom_.isEmpty() ? texte.trimmed() : nom_);
    updateGeometry();
    update();
}

void etiquette_cliquable::nommer(const QString& nom) {
    nom_ = nom;
    setAccessibleName(nom);
}

void etiquette_cliquable::changer_couleur(couleur c) {
    couleur_ = couleur_qt(c);
    update();
}

QColor etiquette_cliquable::couleur_texte() const {
    return couleur_.value_or(palette().color(QPalette::WindowText));
}

QSize etiquette_cliquable::sizeHint() const {
    const QSize t = fontMetrics().size(Qt::TextShowMnemonic, text());
    return {t.width() + 2 * marge_h, t.height() + 2 * marge_v};
}

void etiquette_cliquable::paintEvent(QPaintEvent*) {
    QPainter g(this);
    const bool souligner = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this);
    const QColor c =
        isEnabled() ? couleur_texte() : palette().color(QPalette::Disabled, QPalette::WindowText);
    // Yellow or lime on a light page: the colour is what the label shows, so it keeps it and
    // stands on a dark ground instead.
    if (!lisible_sur(couleur_de(c), couleur_de(palette().color(backgroundRole())))) {
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(64, 64, 64));
        g.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    }
    g.setPen(c);
    g.setFont(font());
    // Pressed, the text moves by one pixel as a button's would.
    const QPoint enfonce = isDown() ? QPoint(1, 1) : QPoint();
    g.drawText(rect().adjusted(marge_h, 0, 0, 0).translated(enfonce),
               Qt::AlignLeft | Qt::AlignVCenter |
                   (souligner ? Qt::TextShowMnemonic : Qt::TextHideMnemonic),
               text());
    if (hasFocus()) {
        QStyleOptionFocusRect cadre;
        cadre.initFrom(this);
        cadre.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &cadre, &g, this);
    }
}

QPixmap dessin_boucle(bool fermee) {
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(40, 40, 40), 1.2));
    const double y = 10.5;
    const QRectF bloc(14.5, 4.5, 9, 12);
    if (fermee) {
        // Input, summing point, block, output; the return path runs under the block.
        const double somme = 7.5;
        fleche(g, {0, y}, {somme - 3, y});
        g.drawEllipse(QPointF(somme, y), 3, 3);
        fleche(g, {somme + 3, y}, {bloc.left(), y});
        g.drawLine(QPointF(bloc.right(), y), QPointF(31, y));
        g.drawPolyline(QPolygonF({{28, y}, {28, 26}, {somme, 26}}));
        fleche(g, {somme, 26}, {somme, y + 3});
        g.drawLine(QPointF(2, 17.5), QPointF(4.5, 17.5));
    } else {
        fleche(g, {1, y}, {bloc.left(), y});
        fleche(g, {bloc.right(), y}, {31, y});
    }
    g.setBrush(QColor(220, 232, 250));
    g.drawRect(bloc);
    g.end();
    return p;
}

QLabel* image_boucle(bool fermee, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setPixmap(dessin_boucle(fermee));
    l->setFixedSize(32, 32);
    l->setAccessibleName(fermee ? QStringLiteral("Boucle fermée")
                                : QStringLiteral("Boucle ouverte"));
    l->setToolTip(l->accessibleName());
    return l;
}

QCheckBox* case_a_cocher(const QString& texte) {
    auto* c = new QCheckBox(texte);
    c->setAccessibleName(c->text().remove(QLatin1Char('&')).trimmed());
    return c;
}

QGroupBox* groupe_choix(const QString& titre, QRadioButton* premier, QRadioButton* second) {
    auto* g = new QGroupBox(titre);
    g->setAccessibleName(titre);
    auto* l = new QVBoxLayout(g);
    for (QRadioButton* b : {premier, second}) {
        b->setAccessibleName(b->text().remove(QLatin1Char('&')).trimmed());
        l->addWidget(b);
    }
    return g;
}

void cocher_sans_signal(QAbstractButton* b, bool coche) {
    const QSignalBlocker silence(b);
    b->setChecked(coche);
}

void montrer_choix(QRadioButton* premier, QRadioButton* second, bool premier_choisi) {
    // Checking one button unchecks the other, which must keep quiet too.
    const QSignalBlocker silence_premier(premier);
    const QSignalBlocker silence_second(second);
    (premier_choisi ? premier : second)->setChecked(true);
}

std::string demander_valeur(contexte_fenetres& ctx, QWidget* fenetre, const QString& titre,
                            const QString& invite, const std::string& defaut) {
    return ctx.plat.saisir_texte(fenetre, titre, invite, texte_qt(defaut)).toStdString();
}

void appliquer(contexte_fenetres& ctx, QWidget* fenetre, const effet_reglage& e) {
    if (!e.erreur.empty()) ctx.plat.erreur(fenetre, texte_qt(e.erreur));
    if (e.recalcul_temps)
        ctx.pilote.calculer_avec_attente([&ctx](const rapport_progression& progression) {
            calculer_reponse_temps(ctx.reg.temps, true, ctx.sys, ctx.reg, progression);
        });
    ctx.pilote.executer(e.rafraichir);
}

void etiqueter(etiquette_cliquable* etiquette, const effet_reglage& e) {
    if (!e.etiquette.empty()) etiquette->changer_texte(texte_qt(e.etiquette));
}

} // namespace varlem
