#pragma once
// A shape of the game (the car or one of its parts): the raw shape image exactly
// as the game stores it, and the element tables decoded from it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/Bytes.h"
#include "shape/Camera.h"
#include "shape/JamFile.h"
#include "shape/Object3D.h"
#include "shape/ShapeHeader.h"

namespace tavrel {

class Messages;

class Car : public Object3D {
 public:
  static constexpr std::size_t kImageSize = 133952;
  static constexpr int kMaxCommands = 1000;
  static constexpr int kCameraCount = 9;

  Car();
  ~Car() override;

  void SetName(std::string name) { m_Name = std::move(name); }
  const std::string& GetName() const { return m_Name; }

  // Rebuilds the header and the element tables from m_Image. A bad magic number
  // is reported and leaves the tables as they were, with m_Valid 0.
  void Decode(int tableOffset, Messages& messages);
  // What Decode shows for an image whose magic number is not a shape's.
  static std::string BadMagicMessage(std::int16_t magic);
  // Writes every decoded point, connection and data value back where it was
  // decoded from; nothing else in the image changes.
  void WriteBack(int tableOffset);
  // Writes the whole image or nothing; false on failure, after a message that
  // names the file and starts "Cannot open file for writing" when it could not be made.
  bool SaveShapeFile(const std::filesystem::path& path, Messages& messages) const;

  // Little-endian access at an image offset; nothing is read or written outside.
  std::uint16_t Read16(std::int64_t offset) const { return readU16(m_Image, offset).value_or(0); }
  std::uint32_t Read32(std::int64_t offset) const { return readU32(m_Image, offset).value_or(0); }
  void Write16(std::int64_t offset, std::int32_t value) {
    writeU16(m_Image, offset, static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFF));
  }
  void Write32(std::int64_t offset, std::int32_t value) {
    writeU32(m_Image, offset, static_cast<std::uint32_t>(value));
  }

  std::array<std::uint8_t, kImageSize> m_Image{};
  std::optional<ShapeHeader> m_Header;
  OutlineNode* m_RootItem = nullptr;
  std::string m_Name;
  std::array<Camera, kCameraCount> m_Cameras;
  Camera* m_SelectedCamera = nullptr;
  // Texture files listed with the main car; empty in a part.
  std::array<JamFile, kCarJamSlots> m_CarJams;

 private:
  void DecodePoints(std::int64_t offset, int count);
  void DecodeConnections(std::int64_t offset, int count);
  void DecodeCommands(std::int64_t cursor, std::int64_t end);
  bool ReadArguments(TextureCmd& command, std::int64_t& cursor) const;
  void DecodeDataValues(std::int64_t offset, int count);
};

}  // namespace tavrel
