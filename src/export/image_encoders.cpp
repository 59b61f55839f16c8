#include "export/image_encoders.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace kestrel {

namespace {

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* error = reinterpret_cast<JpegError*>(info->err);
  (*info->err->format_message)(info, error->message);
  std::longjmp(error->jump, 1);
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const QImage& source, std::string* errorText) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  if (image.isNull()) {
    if (errorText) *errorText = "no image to encode";
    return {};
  }
  jpeg_compress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = OnJpegError;
  error.message[0] = '\0';
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  // Nothing with a destructor lives between setjmp and the encoder's last call.
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    if (errorText) *errorText = error.message;
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.width());
  info.image_height = static_cast<JDIMENSION>(image.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

std::vector<uint8_t> EncodeBmp(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  if (image.isNull()) return {};
  const uint32_t w = static_cast<uint32_t>(image.width());
  const uint32_t h = static_cast<uint32_t>(image.height());
  const uint32_t stride = (w * 3 + 3) & ~3u;
  const uint32_t pixelBytes = stride * h;
  const uint32_t fileSize = 14 + 40 + pixelBytes;
  std::vector<uint8_t> out;
  out.reserve(fileSize);
  auto u16 = [&out](uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
  };
  auto u32 = [&u16](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  out.push_back('B');
  out.push_back('M');
  u32(fileSize);
  u32(0);
  u32(14 + 40);
  u32(40);  // BITMAPINFOHEADER
  u32(w);
  u32(h);  // positive: bottom-up rows
  u16(1);
  u16(24);
  u32(0);  // BI_RGB
  u32(pixelBytes);
  u32(3780);  // 96 dpi in pixels per metre
  u32(3780);
  u32(0);
  u32(0);
  for (uint32_t row = h; row-- > 0;) {
    const uint8_t* line = image.constScanLine(static_cast<int>(row));
    for (uint32_t x = 0; x < w; ++x) {
      out.push_back(line[3 * x + 2]);
      out.push_back(line[3 * x + 1]);
      out.push_back(line[3 * x]);
    }
    for (uint32_t pad = w * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace kestrel
