#include "app/PngEncoding.h"

#include <QBuffer>
#include <QImage>

namespace tavrel {
namespace {

std::optional<std::vector<std::uint8_t>> PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  // Light compression: a little larger, several times faster to write than the default.
  constexpr int kQuality = 80;
  if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG", kQuality))
    return std::nullopt;
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const Picture& picture) {
  if (picture.width <= 0 || picture.height <= 0 || picture.rgb.size() != picture.Offset(0, picture.height))
    return std::nullopt;
  return PngBytes(QImage(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888));
}

WriteResult WritePngFile(const QImage& image, const std::filesystem::path& path) {
  const auto bytes = PngBytes(image);
  if (!bytes) return {WriteResult::Failure::Write, path, std::make_error_code(std::errc::invalid_argument)};
  return writeFileAtomically(path, ByteView(bytes->data(), bytes->size()));
}

}  // namespace tavrel
