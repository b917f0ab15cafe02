#pragma once
// The main window: the frame of the application that later holds its commands.

#include <QMainWindow>

namespace varlem {

/// Main window titled "Varlem".
class fenetre_principale : public QMainWindow {
    Q_OBJECT
public:
    /// Creates the frame, maximised at start.
    explicit fenetre_principale(QWidget* parent = nullptr);
};

} // namespace varlem
