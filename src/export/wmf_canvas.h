#pragma once
// A Windows Metafile writer: the diagram canvas recorded as a placeable WMF (the Aldus header,
// then a standard metafile of 16-bit records). Pens, brushes and fonts are GDI objects created
// when the canvas state changes and deleted when replaced. Coordinates are 16-bit: a picture
// larger than kWmfMaxCoordinate pixels is written with every coordinate divided by a whole
// factor, which the header's units-per-inch field compensates, so the picture keeps its
// physical size (the picture export refuses such pictures: the division merges neighbouring
// wires).

#include <cstdint>
#include <string>
#include <vector>

#include "diagram/canvas.h"
#include "diagram/recording_canvas.h"

namespace kestrel {

/// The greatest width or height a metafile holds without dividing its coordinates.
inline constexpr int kWmfMaxCoordinate = 32000;

/// Little-endian record builder.
class LittleEndianWriter {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v);
  void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
  void U32(uint32_t v);
  void Bytes(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
  size_t size() const { return bytes_.size(); }
  std::vector<uint8_t>& bytes() { return bytes_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  void PutU32At(size_t offset, uint32_t v);

 private:
  std::vector<uint8_t> bytes_;
};

class WmfCanvas : public Canvas {
 public:
  /// A picture of width x height pixels; text is measured with measurer.
  WmfCanvas(int width, int height, TextMeasurer measurer, InkMeasurer ink = nullptr);

  /// The finished file: placeable header, metafile header, records, end-of-file record.
  std::vector<uint8_t> Finish();
  /// The divisor applied to every coordinate (1 for pictures up to 32000 pixels).
  int scale() const { return scale_; }

  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Polygon(const std::vector<Point>& points) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  Box TextInk(const std::string& text) override;

 protected:
  void StateChanged() override { dirty_ = true; }

 private:
  struct Record {
    uint16_t function = 0;
    std::vector<int16_t> params;
    std::string text;  ///< the string of a text record, written before its coordinates
  };
  void Add(uint16_t function, const std::vector<int16_t>& params);
  void SyncObjects();
  int NewObjectIndex();
  void ReplaceObject(int& slot, uint16_t function, std::vector<int16_t> params,
                     const std::string& face = "");
  int16_t C(int v) const;

  int width_, height_;
  int scale_ = 1;
  TextMeasurer measurer_;
  InkMeasurer ink_;
  LittleEndianWriter body_;
  uint32_t maxRecordWords_ = 0;
  std::vector<bool> objectUsed_;
  int maxObjects_ = 0;
  int penSlot_ = -1, brushSlot_ = -1, fontSlot_ = -1;
  bool dirty_ = true;
  Color selectedPen_ = 0;
  BrushStyle selectedBrushStyle_ = BrushStyle::kSolid;
  Color selectedBrushColor_ = 0;
  FontSpec selectedFont_;
  int bkMode_ = 0;
  Color bkColor_ = 0xFFFFFFFF;
};

}  // namespace kestrel
