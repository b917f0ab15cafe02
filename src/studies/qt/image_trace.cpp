#include "studies/qt/image_trace.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace varlem {

image_trace::image_trace(const QString& nom_accessible, QWidget* parent) : QWidget(parent) {
    setAccessibleName(nom_accessible);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The picture follows its window and never keeps the window from shrinking.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void image_trace::dessiner(int w, int h, const dessin& d) {
    image_ = dessiner_image(w, h, d, devicePixelRatioF());
    if (image_.isNull()) {
        effacer();
        return;
    }
    updateGeometry();
    resize(w, h);
    update();
}

void image_trace::effacer() {
    image_ = QImage();
    updateGeometry();
    update();
}

QSize image_trace::minimumSizeHint() const {
    return QSize(0, 0);
}

QSize image_trace::sizeHint() const {
    return image_.isNull() ? QSize(0, 0) : image_.deviceIndependentSize().toSize();
}

void image_trace::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    if (image_.isNull()) {
        peintre.fillRect(rect(), palette().window());
        return;
    }
    peintre.drawImage(QPoint(0, 0), image_);
    if (rectangle_) {
        QPen crayon(QColor(0x80, 0x80, 0x80));
        crayon.setStyle(Qt::DotLine);
        peintre.setPen(crayon);
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRect(*rectangle_);
    }
}

void image_trace::montrer_rectangle(QPoint a, QPoint b) {
    rectangle_ = QRect(a, b).normalized();
    update();
}

void image_trace::cacher_rectangle() {
    rectangle_.reset();
    update();
}

void image_trace::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    emit souris_sortie();
}

void image_trace::mousePressEvent(QMouseEvent* e) {
    emit souris_enfoncee(e->position().toPoint(), e->button());
}

void image_trace::mouseMoveEvent(QMouseEvent* e) {
    emit souris_deplacee(e->position().toPoint());
}

void image_trace::mouseReleaseEvent(QMouseEvent* e) {
    emit souris_relachee(e->position().toPoint(), e->button());
}

} // namespace varlem
