#include "gui/shell/diagram_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "diagram/clipped_canvas.h"
#include "export/qpainter_canvas.h"

namespace kestrel::gui {

DiagramView::DiagramView(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted here: no background fill by Qt first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiagramView::SetDiagram(Diagram diagram, int top) {
  diagram_ = std::move(diagram);
  top_ = top;
  empty_ = false;
  resize(diagram_.width, top_ + diagram_.height);
  update();
}

void DiagramView::Clear() {
  // Moving an empty value in gives the node list's memory back, not only its elements.
  diagram_ = Diagram{};
  empty_ = true;
  resize(0, 0);
}

void DiagramView::SetState(std::optional<CircuitState> state) {
  if (empty_) return;
  diagram_.state = std::move(state);
  update();
}

void DiagramView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!empty_ && event->button() == Qt::LeftButton && p.y() >= top_)
    emit DiagramClicked({p.x(), p.y() - top_});
  QWidget::mousePressEvent(event);
}

void DiagramView::SetDrawing(Drawing drawing) {
  drawing_ = drawing;
  update();
}

void DiagramView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect exposed = event->rect();
  painter.fillRect(exposed, Qt::white);
  if (empty_ || exposed.bottom() < top_) return;
  painter.translate(0, top_);
  QPainterCanvas canvas(painter, 0, drawing_);
  // Antialiased edges reach a pixel beyond a shape's own: the operations just outside the
  // exposed part are drawn too (the painter clips them to it).
  const int margin = drawing_ == Drawing::kSmooth ? 2 : 0;
  const QRect area = exposed.translated(0, -top_).adjusted(-margin, -margin, margin, margin);
  ClippedCanvas clipped(canvas, {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
  DrawDiagram(diagram_, clipped);
}

}  // namespace kestrel::gui
