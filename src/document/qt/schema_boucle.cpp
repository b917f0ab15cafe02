#include "document/qt/schema_boucle.h"

#include "document/fichier_fdt.h"
#include "document/qt/curseur_etiquete.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace varlem {

namespace {

// The diagram's geometry, in pixels: the signal runs left to right along `ligne`.
constexpr int largeur_schema = 700;
constexpr int hauteur_schema = 360;
constexpr int ligne = 120;
constexpr QPoint sommateur(34, ligne);
constexpr int rayon = 10;
constexpr int colonne = 112;
constexpr int prise = 640;
constexpr int ligne_retour = 318;

// A line from a to b ending in an arrow head at b.
void fleche(QPainter& g, QPointF a, QPointF b) {
    g.drawLine(a, b);
    const QLineF l(b, a);
    QLineF barbe = l;
    barbe.setLength(8);
    for (const double angle : {25.0, -25.0}) {
        QLineF c = barbe;
        c.setAngle(l.angle() + angle);
        g.drawLine(c);
    }
}

} // namespace

schema_boucle::schema_boucle(QWidget* parent)
    : QWidget(parent), p_(new curseur_etiquete(QStringLiteral("Gain P"), QChar(), this)),
      ti_(new curseur_etiquete(QStringLiteral("Temps intégral τi"), QChar(), this)),
      td_(new curseur_etiquete(QStringLiteral("Temps dérivé τd"), QChar(), this)),
      avec_i_(new QCheckBox(QStringLiteral("Avec &I"), this)), retour_(new QLabel(this)),
      retour_num_(new QLineEdit(this)), retour_den_(new QLineEdit(this)) {
    setAccessibleName(QStringLiteral("Schéma de la boucle"));
    setFixedSize(largeur_schema, hauteur_schema);
    const QRect c = bloc_correcteur();
    const char* entetes[] = {"P", "I : τi", "D : τd"};
    curseur_etiquete* curseurs[] = {p_, ti_, td_};
    for (int i = 0; i < 3; ++i) {
        auto* entete = new QLabel(QString::fromUtf8(entetes[i]), this);
        QFont f = entete->font();
        f.setBold(true);
        entete->setFont(f);
        entete->move(c.left() + 14 + i * colonne, c.top() + 26);
        curseurs[i]->setGeometry(c.left() + 10 + i * colonne, c.top() + 46, colonne - 6, 172);
    }
    avec_i_->setAccessibleName(QStringLiteral("Avec I"));
    avec_i_->adjustSize();
    avec_i_->move(c.left() + 14 + colonne, c.bottom() - avec_i_->height() - 6);

    const QRect r = bloc_retour();
    retour_->setText(QStringLiteral("R(p) = "));
    retour_->adjustSize();
    retour_->move(r.left() + 8, r.center().y() - retour_->height() / 2);
    const int x = r.left() + 16 + retour_->width();
    for (QLineEdit* b : {retour_num_, retour_den_}) {
        b->setReadOnly(true);
        b->setMaxLength(static_cast<int>(longueur_max_ligne));
        b->setCursor(Qt::PointingHandCursor);
        b->setToolTip(QStringLiteral("Cliquer pour entrer le retour R(p)"));
        b->setFocusPolicy(Qt::StrongFocus);
        b->installEventFilter(this);
        b->setFixedWidth(r.right() - 8 - x);
    }
    retour_num_->setAccessibleName(QStringLiteral("Numérateur du retour"));
    retour_den_->setAccessibleName(QStringLiteral("Dénominateur du retour"));
    retour_num_->move(x, r.top() + 6);
    retour_den_->move(x, r.bottom() - 6 - retour_den_->sizeHint().height());
    montrer_retour(QStringLiteral("1"), QStringLiteral("1"));
}

QRect schema_boucle::bloc_correcteur() const {
    return {64, 8, 3 * colonne + 14, 254};
}

QRect schema_boucle::bloc_fonction() const {
    return {bloc_correcteur().right() + 44, ligne - 22, 100, 44};
}

QRect schema_boucle::bloc_retour() const {
    return {bloc_correcteur().left() + 120, ligne_retour - 36, 300, 72};
}

void schema_boucle::montrer_retour(const QString& num, const QString& den) {
    retour_num_->setText(num);
    retour_den_->setText(den);
    retour_num_->setCursorPosition(0);
    retour_den_->setCursorPosition(0);
}

void schema_boucle::nommer_fonction(const QString& nom) {
    nom_fonction_ = nom;
    retour_->setText(QStringLiteral("R(%1) = ").arg(nom.mid(2, 1)));
    update();
}

bool schema_boucle::eventFilter(QObject* o, QEvent* e) {
    if (o == retour_num_ || o == retour_den_) {
        if (e->type() == QEvent::MouseButtonPress) {
            emit retour_clique();
            return true;
        }
        if (e->type() == QEvent::KeyPress) {
            const int touche = static_cast<QKeyEvent*>(e)->key();
            if (touche == Qt::Key_Space || touche == Qt::Key_Return || touche == Qt::Key_Enter) {
                emit retour_clique();
                return true;
            }
        }
    }
    return QWidget::eventFilter(o, e);
}

void schema_boucle::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor trait = palette().color(QPalette::WindowText);
    g.setPen(QPen(trait, 1.4));
    const QRect c = bloc_correcteur(), f = bloc_fonction(), r = bloc_retour();

    // Blocks: a light fill, the name in the corner of the corrector.
    g.setBrush(QColor(234, 241, 252));
    g.drawRoundedRect(c, 6, 6);
    g.drawRect(f);
    g.drawRect(r);
    g.setBrush(Qt::NoBrush);
    QFont gras = font();
    gras.setBold(true);
    g.setFont(gras);
    g.drawText(c.adjusted(8, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Correcteur C(%1)").arg(nom_fonction_.mid(2, 1)));
    g.drawText(f, Qt::AlignCenter, nom_fonction_);
    g.setFont(font());

    // The bar of the return fraction, between its two boxes.
    const int x_barre = retour_num_->x();
    const int y_barre = (retour_num_->geometry().bottom() + retour_den_->y()) / 2;
    g.drawLine(x_barre, y_barre, retour_num_->geometry().right(), y_barre);

    // Input, summing point, corrector, function, output.
    fleche(g, QPointF(0, ligne), QPointF(sommateur.x() - rayon, ligne));
    g.drawEllipse(QPointF(sommateur), rayon, rayon);
    g.drawLine(QPointF(sommateur.x() - 6, ligne), QPointF(sommateur.x() + 6, ligne));
    g.drawLine(QPointF(sommateur.x(), ligne - 6), QPointF(sommateur.x(), ligne + 6));
    fleche(g, QPointF(sommateur.x() + rayon, ligne), QPointF(c.left(), ligne));
    fleche(g, QPointF(c.right(), ligne), QPointF(f.left(), ligne));
    fleche(g, QPointF(f.right(), ligne), QPointF(width() - 2, ligne));
    g.setBrush(trait);
    g.drawEllipse(QPointF(prise, ligne), 2.5, 2.5);
    g.setBrush(Qt::NoBrush);

    // The return path: down from the output, into the return block, back to the summing point.
    g.drawLine(QPointF(prise, ligne), QPointF(prise, ligne_retour));
    fleche(g, QPointF(prise, ligne_retour), QPointF(r.right(), ligne_retour));
    g.drawLine(QPointF(r.left(), ligne_retour), QPointF(sommateur.x(), ligne_retour));
    fleche(g, QPointF(sommateur.x(), ligne_retour), QPointF(sommateur.x(), ligne + rayon));
    g.drawText(QPointF(sommateur.x() + 8, ligne + rayon + 14), QStringLiteral("−"));
}

} // namespace varlem
