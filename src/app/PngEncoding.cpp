#include "app/PngEncoding.h"

#include <QBuffer>
#include <QImage>

namespace tavrel {

std::optional<std::vector<std::uint8_t>> EncodePng(const Picture& picture) {
  if (picture.width <= 0 || picture.height <= 0 || picture.rgb.size() != picture.Offset(0, picture.height))
    return std::nullopt;
  const QImage image(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace tavrel
