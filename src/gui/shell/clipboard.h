#pragma once
// What the copy commands put on the clipboard: the diagram as pictures (PNG for office
// programs and chats, SVG for drawing programs) and the minimized function as text.

#include <QMimeData>
#include <memory>
#include <string>

#include "diagram/diagram.h"
#include "export/qpainter_canvas.h"

namespace kestrel::gui {

/// The diagram as "image/png" (drawn as the screen draws it), Qt's image (which the platform
/// offers in its own picture formats) and "image/svg+xml". A picture too large for a raster
/// image is offered as SVG only.
std::unique_ptr<QMimeData> DiagramMimeData(const Diagram& diagram, Drawing drawing);
/// The function text as plain text.
std::unique_ptr<QMimeData> FunctionMimeData(const std::string& functionText);

}  // namespace kestrel::gui
