#include "gui/shell/clipboard.h"

#include <QBuffer>

#include "export/picture_export.h"

namespace kestrel::gui {

std::unique_ptr<QMimeData> DiagramMimeData(const Diagram& diagram, Drawing drawing) {
  auto data = std::make_unique<QMimeData>();
  const ProjectText none;
  const QImage image = RenderImage(diagram, PictureContent::kDiagram, none, drawing);
  if (!image.isNull()) {
    // The same PNG file the export writes for this drawing.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (image.save(&png, "PNG")) data->setData(QStringLiteral("image/png"), png.data());
    data->setImageData(image);
  }
  const EncodedPicture svg =
      EncodePicture(diagram, PictureContent::kDiagram, none, PictureFormat::kSvg, drawing);
  if (svg.ok())
    data->setData(QStringLiteral("image/svg+xml"),
                  QByteArray(reinterpret_cast<const char*>(svg.bytes.data()),
                             static_cast<qsizetype>(svg.bytes.size())));
  return data;
}

std::unique_ptr<QMimeData> FunctionMimeData(const std::string& functionText) {
  auto data = std::make_unique<QMimeData>();
  data->setText(QString::fromStdString(functionText));
  return data;
}

}  // namespace kestrel::gui
