#pragma once
// What window tests do as a user: click a tool-bar button or a push button by its caption,
// find a label, answer a modal dialog once it is shown.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>

namespace varlem::test {

/// The visible button of `fenetre` whose caption (mnemonic removed) is `texte`; null if none.
inline QAbstractButton* bouton(QWidget* fenetre, const QString& texte) {
    for (QAbstractButton* b : fenetre->findChildren<QAbstractButton*>()) {
        QString legende = b->text();
        if (auto* t = qobject_cast<QToolButton*>(b); t && t->defaultAction())
            legende = t->defaultAction()->text();
        if (legende.remove(QLatin1Char('&')) == texte) return b;
    }
    return nullptr;
}

/// Clicks the button captioned `texte`; false when there is none or it is disabled.
inline bool cliquer(QWidget* fenetre, const QString& texte) {
    QAbstractButton* b = bouton(fenetre, texte);
    if (!b || !b->isEnabled()) return false;
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

/// Whether the button captioned `texte` is enabled (false when there is none).
inline bool actif(QWidget* fenetre, const QString& texte) {
    QAbstractButton* b = bouton(fenetre, texte);
    return b && b->isEnabled();
}

/// Runs `action` on the modal dialog once it is shown (the caller then opens it).
inline void quand_modal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* w = QApplication::activeModalWidget();
        if (w) action(w);
    });
}

} // namespace varlem::test
