#pragma once
// The result picture on screen: blank above (where the result labels stand) and the circuit
// diagram from a given row down. It keeps the laid-out diagram, a value, and paints only the
// part of it that is exposed, so a diagram tens of thousands of pixels high costs no more
// memory than a small one and scrolls and zooms as quickly.

#include <QWidget>
#include <optional>

#include "diagram/diagram.h"
#include "export/qpainter_canvas.h"

namespace kestrel::gui {

class DiagramView : public QWidget {
  Q_OBJECT
 public:
  explicit DiagramView(QWidget* parent = nullptr);

  /// Shows the diagram with its top-left corner at (0, top); the view takes the size of the
  /// whole composition, the diagram's width by top plus its height.
  void SetDiagram(Diagram diagram, int top);
  /// Shows nothing and lets the diagram go.
  void Clear();
  /// Draws the live circuit's state over the diagram, or the plain diagram again (none); only
  /// what is visible is painted again.
  void SetState(std::optional<CircuitState> state);
  /// Smooth (antialiased) or exact drawing on screen; repaints.
  void SetDrawing(Drawing drawing);
  Drawing drawing() const { return drawing_; }

  const Diagram& diagram() const { return diagram_; }
  int top() const { return top_; }
  bool empty() const { return empty_; }

 signals:
  /// A click on the diagram, in the diagram's own coordinates.
  void DiagramClicked(Point point);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Diagram diagram_;
  int top_ = 0;
  bool empty_ = true;
  Drawing drawing_ = Drawing::kExact;
};

}  // namespace kestrel::gui
