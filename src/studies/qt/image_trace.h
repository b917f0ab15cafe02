#pragma once
// The picture of a study window: shows one plot drawn at the screen's pixel density, sized to
// the plot, and reports the mouse in the plot's own pixels.

#include "plot/qt/copie_vectorielle.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <optional>

namespace varlem {

/// A plot picture: the drawing replaces the previous one at every `dessiner`.
class image_trace : public QWidget {
    Q_OBJECT
  public:
    /// An empty picture with an accessible French name.
    explicit image_trace(const QString& nom_accessible, QWidget* parent = nullptr);

    /// Draws a new w × h picture (nothing shown when a side is zero or negative).
    void dessiner(int w, int h, const dessin& d);
    /// Removes the picture.
    void effacer();
    /// The picture shown (null when none).
    const QImage& image() const { return image_; }
    /// Shows the zoom rectangle from corner a to corner b over the picture (dotted, grey).
    void montrer_rectangle(QPoint a, QPoint b);
    /// Removes the zoom rectangle.
    void cacher_rectangle();
    /// The zoom rectangle shown, if any.
    std::optional<QRect> rectangle() const { return rectangle_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    /// A mouse button went down, the mouse moved, a button came up, in the plot's pixels.
    void souris_enfoncee(QPoint position, Qt::MouseButton bouton);
    void souris_deplacee(QPoint position);
    void souris_relachee(QPoint position, Qt::MouseButton bouton);
    /// The mouse left the picture.
    void souris_sortie();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

  private:
    QImage image_;
    std::optional<QRect> rectangle_;
};

} // namespace varlem
