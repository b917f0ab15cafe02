#pragma once
// What window tests do as a user: find a control by what it shows or by its accessible name,
// click a button, type into a box.

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <type_traits>

namespace varlem::test {

/// The caption a button shows, mnemonic removed (a tool button shows its action's text).
inline QString legende(const QAbstractButton* b) {
    QString t = b->text();
    if (auto* o = qobject_cast<const QToolButton*>(b); o && o->defaultAction())
        t = o->defaultAction()->text();
    return t.remove(QLatin1Char('&'));
}

/// The control of type T under `w` whose accessible name, caption or object name is `nom`.
template <typename T> T* controle(QWidget* w, const QString& nom) {
    for (T* c : w->findChildren<T*>()) {
        QString texte;
        if constexpr (std::is_base_of_v<QAbstractButton, T>) texte = legende(c);
        if constexpr (std::is_base_of_v<QLabel, T>) texte = c->text();
        if (c->accessibleName() == nom || texte == nom || c->objectName() == nom) return c;
    }
    return nullptr;
}

/// Clicks the button captioned or named `nom`; false (and a failure when there is no such
/// button) when nothing could be clicked.
inline bool cliquer(QWidget* w, const QString& nom) {
    QAbstractButton* b = controle<QAbstractButton>(w, nom);
    if (!b) {
        ADD_FAILURE() << "no button " << nom.toStdString();
        return false;
    }
    if (!b->isEnabled()) return false;
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

/// Whether the button captioned or named `nom` is enabled (false when there is none).
inline bool actif(QWidget* w, const QString& nom) {
    QAbstractButton* b = controle<QAbstractButton>(w, nom);
    return b && b->isEnabled();
}

/// Text of the box whose accessible name is `nom`.
inline QString texte_boite(QWidget* w, const QString& nom) {
    QLineEdit* b = controle<QLineEdit>(w, nom);
    return b ? b->text() : QStringLiteral("<absente>");
}

/// Replaces the text of a box as the user does: select all, type.
inline void taper(QWidget* w, const QString& nom, const QString& texte) {
    QLineEdit* b = controle<QLineEdit>(w, nom);
    ASSERT_NE(b, nullptr) << nom.toStdString();
    QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(b, texte);
}

} // namespace varlem::test
