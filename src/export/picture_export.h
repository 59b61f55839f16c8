#pragma once
// Pictures of a realization: the diagram alone or the project (the text block over the
// diagram), encoded as SVG, PNG, PDF, WMF, BMP or JPEG, and the Export diagram and Export
// project commands with their rules for the chosen file name. Files are written atomically: a
// temporary file beside the target, renamed over it only when complete.

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "diagram/diagram.h"
#include "export/qpainter_canvas.h"
#include "ui/messages.h"

namespace kestrel {

enum class PictureFormat { kNone, kSvg, kPng, kPdf, kWmf, kBmp, kJpeg };

/// What is pictured.
enum class PictureContent { kDiagram, kProject };

namespace text {
inline constexpr const char* kFileSavingError =
    "File saving error! \n\rThe file has not been saved!  ";
inline constexpr const char* kExportDiagramTitle = "Export diagram to BMP, JPEG or WMF";
inline constexpr const char* kExportProjectTitle = "Export project to BMP, JPEG or WMF";
inline constexpr const char* kExportFilter =
    "JPEG files (*.jpg) | *.jpg; |BMP files (*.bmp) | *.BMP; |WMF files (*.wmf) | *.wmf";
/// The netlists the export dialog offers after the pictures.
inline constexpr const char* kNetlistFilter =
    "Verilog netlist (*.v)|*.v|BLIF netlist (*.blif)|*.blif";
/// The vector and lossless pictures the export dialog offers after the netlists.
inline constexpr const char* kModernPictureFilter =
    "SVG picture (*.svg)|*.svg|PDF document (*.pdf)|*.pdf|PNG picture (*.png)|*.png";
inline constexpr const char* kExportDefaultExtension = "wmf";
inline constexpr int kExportFilterIndex = 3;
/// Why a raster picture was not made, and what to do instead: head + "W x H" + tail.
inline constexpr const char* kRasterTooLargeHead = "the picture (";
inline constexpr const char* kRasterTooLargeTail =
    " pixels) is too large for a raster format; choose a smaller zoom or a vector format";
/// Why a metafile was not made: head + "W x H" + tail. Dividing the coordinates to fit would
/// merge wires a pixel apart.
inline constexpr const char* kMetafileTooLargeTail =
    " pixels) is too large for a Windows metafile, whose coordinates end at 32000; choose a "
    "smaller zoom or a vector format without that limit (SVG or PDF)";
/// The families an SVG picture names for the diagram's face, ending in a generic family, so
/// that a viewer without Arial Narrow still shows a narrow sans-serif face.
inline constexpr const char* kSvgFontFamilies =
    "'Arial Narrow', 'Liberation Sans Narrow', 'Nimbus Sans Narrow', 'Helvetica Narrow', "
    "sans-serif-condensed, sans-serif";
/// What to do when the file itself could not be written.
inline constexpr const char* kChooseAnotherFile = "choose another folder or file name";
}  // namespace text

/// The export's failure message: "File saving error! " with its second line, then why the
/// picture was not saved and what to do, as a sentence of its own.
std::string FileSavingErrorText(const std::string& why);

/// The export dialog's whole filter: kExportFilter, then kNetlistFilter, then
/// kModernPictureFilter.
std::string ExportDialogFilter();
/// The extension (".jpg") of the patterns of the export filter at index (counted from 1) in
/// ExportDialogFilter(), in lower case; empty for an index outside them.
std::string ExportFilterExtension(int filterIndex);
/// The name the export writes: the chosen name itself when it has an extension, else the
/// chosen name with the extension of the filter selected in the dialog, so that the type the
/// user picked decides the format.
std::string ExportFileName(const std::string& chosen, int filterIndex);

/// The export commands' rule: the chosen name's extension, lower-cased, is tested for "jpg",
/// then "wmf", then "bmp" (it needs only contain them); anything else is kNone.
PictureFormat ExportFormatFromFileName(const std::string& path);
/// The format the export writes for a name: the export rule first, so that every name it
/// accepts keeps its format; then the exact extensions .svg, .pdf and .png (any case).
PictureFormat ExportFormatForFile(const std::string& path);
/// The exact extensions .svg .png .pdf .wmf .bmp .jpg (any case); anything else is kNone.
PictureFormat PictureFormatFromExtension(const std::string& path);
const char* PictureFormatName(PictureFormat format);

/// Everything a project picture shows besides the diagram.
struct ProjectText {
  std::string functionText;
  std::string structureText;
};

/// The largest raster picture written (width x height); larger ones are refused.
inline constexpr long long kMaxRasterPixels = 120LL * 1000 * 1000;

/// Renders the diagram (or the project) into an RGB image; a null image when it would exceed
/// kMaxRasterPixels.
QImage RenderImage(const Diagram& diagram, PictureContent content, const ProjectText& text,
                   Drawing drawing = Drawing::kExact);

struct EncodedPicture {
  std::vector<uint8_t> bytes;
  std::string error;  ///< empty on success
  bool ok() const { return error.empty(); }
};
/// The file contents of the picture in the format (kNone is an error). Smooth drawing changes
/// the raster formats' pixels and the vector formats' rendering hints; the WMF metafile is the
/// same either way.
EncodedPicture EncodePicture(const Diagram& diagram, PictureContent content,
                             const ProjectText& text, PictureFormat format,
                             Drawing drawing = Drawing::kExact);

/// Encodes and writes the picture as one atomic file write (only a regular file is replaced);
/// false with error filled on failure.
bool SavePicture(const Diagram& diagram, PictureContent content, const ProjectText& text,
                 PictureFormat format, const std::string& path, std::string* error,
                 Drawing drawing = Drawing::kExact);

/// Export diagram / Export project after the save dialog: chooses the format from the file
/// name (ExportFormatForFile), writes nothing for another extension, and shows "File saving
/// error! " with the reason when saving fails. Returns the format written (kNone when nothing
/// was written).
PictureFormat ExportCommand(const Diagram& diagram, PictureContent content, const ProjectText& text,
                            const std::string& chosenPath, MessageSink& messages);

}  // namespace kestrel
