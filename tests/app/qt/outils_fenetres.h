#pragma once
// What window tests do as a user: find a control by what it shows or by its accessible name,
// click a button, type into a box.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
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

/// Runs `declencheur`, which opens a dialog of type D modally, and `action` on the dialog once
/// it is open. The action must close it; a dialog left open is a failure and is cancelled.
/// True when the dialog opened.
template <typename D>
bool avec_modal(const std::function<void()>& declencheur, const std::function<void(D&)>& action) {
    bool ouvert = false;
    // Destroyed on return: a dialog that never opened leaves no timer behind.
    QObject garde;
    QTimer::singleShot(0, &garde, [&] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d) return;
        ouvert = true;
        action(*d);
        if (d->isVisible()) {
            ADD_FAILURE() << "the dialog " << d->windowTitle().toStdString() << " was left open";
            d->reject();
        }
    });
    declencheur();
    QCoreApplication::processEvents();
    return ouvert;
}

} // namespace varlem::test
