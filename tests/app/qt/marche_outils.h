#pragma once
// What the random walk does with the widgets as a user does: reach a command through its
// button, see whether a control is on screen, type, and the texts of the core as Qt shows them.

#include "app/qt/outils_fenetres.h"
#include "document/retards.h"
#include "document/textes_construits.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QWidget>

#include <string>
#include <vector>

namespace varlem::test {

/// A text of the core as Qt shows it.
inline QString qt(const std::string& s) {
    return QString::fromStdString(s);
}

/// A text shown by Qt in the core's terms.
inline std::string std_(const QString& s) {
    return s.toStdString();
}

/// The widget is on screen: shown, and its window neither hidden nor minimised.
inline bool a_l_ecran(const QWidget* w) {
    return w && w->isVisible() && !w->window()->isMinimized();
}

/// The tool-bar command of `fenetre` showing `texte` (mnemonic removed), if any.
inline QAction* commande_de(QWidget* fenetre, const QString& texte) {
    for (QToolBar* barre : fenetre->findChildren<QToolBar*>())
        for (QAction* a : barre->actions())
            if (QString(a->text()).remove(QLatin1Char('&')) == texte) return a;
    return nullptr;
}

/// The command can be reached: its window is on screen and the command enabled.
inline bool commande_offerte(QWidget* fenetre, const QString& texte) {
    const QAction* a = commande_de(fenetre, texte);
    return a && a->isEnabled() && a_l_ecran(fenetre);
}

/// Presses the command as the user does: its button when the tool bar shows it, else the item
/// of the tool bar's overflow menu.
inline void presser(QWidget* fenetre, const QString& texte) {
    QAction* a = commande_de(fenetre, texte);
    if (!a) return;
    for (QToolBar* barre : fenetre->findChildren<QToolBar*>())
        if (auto* b = qobject_cast<QAbstractButton*>(barre->widgetForAction(a));
            b && a_l_ecran(b)) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    if (a->isEnabled()) a->trigger();
}

/// Replaces the text of a box: select all, then the text typed, or pasted when it is long or
/// holds characters no key gives.
inline void remplacer_texte(QLineEdit* boite, const QString& texte) {
    boite->setFocus();
    QTest::keyClick(boite, Qt::Key_A, Qt::ControlModifier);
    bool clavier = texte.size() <= 40;
    for (const QChar c : texte)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e) clavier = false;
    if (clavier)
        QTest::keyClicks(boite, texte);
    else
        boite->insert(texte);
}

/// A function as the walk models the user's work: its texts, and its delay written after the
/// denominator so that every comparison of texts compares the delays too ("1+p · τ=1.5").
inline textes_fdt avec_retard(textes_fdt t, double retard) {
    if (retard > 0) t.den += " · τ=" + texte_retard(retard);
    return t;
}

/// The user's functions as the file and the windows hold them.
inline bool memes_textes(const std::vector<textes_fdt>& a, const std::vector<textes_fdt>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].num != b[i].num || a[i].den != b[i].den) return false;
    return true;
}

// The functions in short, for a report.
inline std::string decrire(const std::vector<textes_fdt>& v) {
    std::string r = std::to_string(v.size()) + " :";
    for (const textes_fdt& f : v) {
        std::string t = " [" + f.num.substr(0, 30) + "]/[" + f.den.substr(0, 30) + "]";
        for (char& c : t)
            if (static_cast<unsigned char>(c) < 0x20) c = '?';
        r += t;
    }
    return r;
}

} // namespace varlem::test
