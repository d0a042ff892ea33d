#include "platform/Jpeg.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

// The library's default error handler ends the process; this one jumps back
// to the decoder instead.
struct TErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Back;
};

void ErrorExit(j_common_ptr info)
{
  std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Back, 1);
}

void Quiet(j_common_ptr) {}

// Decodes into pixels (RGB rows) and the picture's size. Holds no object with
// a destructor, as the error path leaves it through longjmp.
bool Decode(const unsigned char* data, unsigned long size, std::vector<unsigned char>& pixels,
            int& width, int& height)
{
  jpeg_decompress_struct info;
  TErrorManager errors;
  info.err = jpeg_std_error(&errors.Base);
  errors.Base.error_exit = ErrorExit;
  errors.Base.output_message = Quiet;
  if (setjmp(errors.Back)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  const size_t stride = static_cast<size_t>(width) * 3;
  pixels.resize(stride * static_cast<size_t>(height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data)
{
  if (data.isEmpty())
    return {};
  std::vector<unsigned char> pixels;
  int width = 0;
  int height = 0;
  if (!Decode(reinterpret_cast<const unsigned char*>(data.constData()),
              static_cast<unsigned long>(data.size()), pixels, width, height))
    return {};
  QImage image(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y)
    std::copy_n(pixels.data() + static_cast<size_t>(y) * width * 3, width * 3, image.scanLine(y));
  return image;
}

QImage LoadJpegResource(const QString& path)
{
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return DecodeJpeg(file.readAll());
}
