#include "shape/Car.h"

#include <algorithm>

#include "base/Format.h"
#include "base/Messages.h"
#include "base/Trace.h"
#include "shape/ShapeLayout.h"

namespace tavrel {
namespace {

constexpr std::int64_t kImageSize = static_cast<std::int64_t>(Car::kImageSize);

// Negation in the game's 32-bit arithmetic (the most negative value stays as it is).
std::int32_t negate(std::int32_t value) { return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value)); }

// Header addresses are trusted by the game but not by us: a region is decoded
// only as far as its records lie whole inside the image, and its list stops at
// the first record that would reach outside. Write-back then touches exactly
// the records that were decoded.
int recordsInside(std::int64_t offset, std::int32_t count, int recordSize) {
  if (count <= 0 || offset < 0 || offset >= kImageSize) return 0;
  return static_cast<int>(std::min<std::int64_t>(count, (kImageSize - offset) / recordSize));
}

// Argument words of an opcode: a fixed number, and whether reading goes on
// while the last word read is not 0 (the closing 0 counts as an argument).
struct ArgumentRule {
  int words;
  bool untilZero;
};

std::optional<ArgumentRule> argumentRule(std::int32_t opcode) {
  switch (opcode) {
    case 0x00:
    case 0x01:
    case 0x02:
    case 0x03:
    case 0x0A:
    case 0x10:
    case 0x11:
    case 0x12:
    case 0x13:
    case 0x16:
    case 0x17:
    case 0x1A:
    case 0x1B:
      return ArgumentRule{3, true};
    case 0x04:
      return ArgumentRule{1, true};
    case 0x80:
    case 0x90:
      return ArgumentRule{3, false};
    default:
      return std::nullopt;
  }
}

// Argument position at which the index list starts.
int indexListStart(const TextureCmd& command) {
  switch (command.m_Opcode) {
    case 0x00:
    case 0x01:
    case 0x02:
    case 0x03:
    case 0x04:
    case 0x0A:
      return 0;
    case 0x10:
    case 0x13:
    case 0x16:
    case 0x17:
      return command.m_ArgCount > 1 && command.m_Args[1] == 0x80 ? 4 : 2;
    case 0x11:
    case 0x12:
      return 2;
    default:
      trace("Unknown Cmd 2 0x%x\n", static_cast<unsigned>(command.m_Opcode));
      return 2;
  }
}

void deriveIndexList(TextureCmd& command) {
  command.m_IndexCount = 0;
  if (command.m_Opcode >= 0x7F) return;
  for (int position = indexListStart(command); position < command.m_ArgCount; ++position) {
    const std::int32_t word = command.m_Args[static_cast<std::size_t>(position)];
    if (word != 0)
      command.m_Indices[static_cast<std::size_t>(command.m_IndexCount++)] = static_cast<std::int16_t>(word);
  }
}

void traceHeader(const ShapeHeader& h) {
  trace("Magic %x\n", static_cast<unsigned>(static_cast<int>(h.magic)));
  trace("scaleBegin %x\n", h.scaleBegin);
  trace("scaleEnd %x\n", h.scaleEnd);
  trace("textureBegin %x\n", h.textureBegin);
  trace("textureEnd %x\n", h.textureEnd);
  trace("pointsBegin %x\n", h.pointsBegin);
  trace("fileEnd %x\n", h.fileEnd);
  trace("vertexEnd %x\n", h.vertexEnd);
}

void traceOffset(const char* pattern, std::int64_t offset) {
  trace(pattern, static_cast<int>(offset), static_cast<unsigned>(offset));
}

// Where each region of a decoded image lies, as image offsets and counts.
struct Regions {
  std::int64_t points;
  std::int64_t connections;
  std::int64_t commands;
  std::int64_t commandsEnd;
  std::int64_t dataValues;
  int pointCount;
  int connectionCount;
  int dataValueCount;
};

Regions locateRegions(const ShapeHeader& h, int tableOffset) {
  const ShapeLayout layout = LayoutOf(h, tableOffset);
  Regions r{};
  r.points = layout.points;
  r.connections = layout.connections;
  r.commands = layout.commands;
  r.commandsEnd = layout.commandsEnd;
  r.dataValues = layout.dataValues;
  r.pointCount = recordsInside(r.points, layout.pointCount, kPointRecordSize);
  r.connectionCount = recordsInside(r.connections, layout.connectionCount, kConnectionRecordSize);
  r.dataValueCount = recordsInside(r.dataValues, layout.dataValueCount, kDataValueSize);
  return r;
}

}  // namespace

Car::Car() = default;
Car::~Car() = default;

std::string Car::BadMagicMessage(std::int16_t magic) {
  return format("Bad magic number %x in the shape image", static_cast<unsigned>(static_cast<int>(magic)));
}

void Car::Decode(int tableOffset, Messages& messages) {
  const ShapeHeader header = ShapeHeader::Read(m_Image);
  m_Header = header;
  if (!header.HasValidMagic()) {
    messages.show(BadMagicMessage(header.magic));
    m_Valid = 0;
    return;
  }
  m_Valid = 1;
  traceHeader(header);

  const Regions regions = locateRegions(header, tableOffset);
  traceOffset("Offset1 = %d 0x%x\n", regions.points);
  traceOffset("Offset2 = %d 0x%x\n", regions.connections);
  traceOffset("Offset3 = %d 0x%x\n", regions.commands);
  traceOffset("Offset4 = %d 0x%x\n", regions.dataValues);

  // The selections point into the tables about to be replaced.
  ClearSelection();
  DecodePoints(regions.points, regions.pointCount);
  DecodeConnections(regions.connections, regions.connectionCount);
  DecodeCommands(regions.commands, regions.commandsEnd);
  DecodeDataValues(regions.dataValues, regions.dataValueCount);
}

void Car::DecodePoints(std::int64_t offset, int count) {
  m_Points.assign(static_cast<std::size_t>(count), Vertex{});
  m_PointCount = count;
  for (Vertex& point : m_Points) {
    point.m_X = negate(static_cast<std::int32_t>(Read32(offset)));
    point.m_Y = static_cast<std::int32_t>(Read32(offset + 4));
    point.m_Z = static_cast<std::int32_t>(Read32(offset + 8));
    point.m_U1 = static_cast<std::int32_t>(Read32(offset + 12));
    point.m_Owner = this;
    offset += kPointRecordSize;
  }
}

void Car::DecodeConnections(std::int64_t offset, int count) {
  m_Connections.assign(static_cast<std::size_t>(count), Point3D{});
  m_ConnectionCount = count;
  for (Point3D& connection : m_Connections) {
    connection.m_From = Read16(offset);
    connection.m_To = Read16(offset + 2);
    connection.m_U1 = Read16(offset + 4);
    connection.m_U2 = Read16(offset + 6);
    connection.m_Owner = this;
    offset += kConnectionRecordSize;
  }
}

// Commands are read while they start before the end of the list; one whose words
// would reach outside the image, or that has more than 20 argument words, ends
// the list without being counted.
void Car::DecodeCommands(std::int64_t cursor, std::int64_t end) {
  m_Commands.assign(kMaxCommands, TextureCmd{});
  m_CommandCount = 0;
  std::int32_t previousOpcode = 0;
  while (cursor < end && m_CommandCount < kMaxCommands) {
    const auto sequence = readU16(m_Image, cursor);
    if (!sequence) return;
    cursor += 2;
    if (*sequence != m_CommandCount) {
      trace("Gone wrong on previous cmd 0x%x 0x%x\n", static_cast<unsigned>(previousOpcode),
            static_cast<unsigned>(cursor));
      return;
    }
    const auto opcode = readU16(m_Image, cursor);
    if (!opcode) return;
    cursor += 2;

    TextureCmd command;
    command.m_Sequence = *sequence;
    command.m_Opcode = *opcode;
    command.m_Owner = this;
    if (!ReadArguments(command, cursor)) return;
    deriveIndexList(command);
    m_Commands[static_cast<std::size_t>(m_CommandCount++)] = command;
    previousOpcode = command.m_Opcode;
  }
}

bool Car::ReadArguments(TextureCmd& command, std::int64_t& cursor) const {
  const auto rule = argumentRule(command.m_Opcode);
  if (!rule) {
    trace("Unknown Command 0x%x\n", static_cast<unsigned>(command.m_Opcode));
    return true;
  }
  for (;;) {
    if (command.m_ArgCount == TextureCmd::kMaxArgs) {
      trace("Command with more than %d arguments ends the list\n", TextureCmd::kMaxArgs);
      return false;
    }
    const auto word = readU16(m_Image, cursor);
    if (!word) return false;
    cursor += 2;
    command.m_Args[static_cast<std::size_t>(command.m_ArgCount++)] = *word;
    if (command.m_ArgCount >= rule->words && (!rule->untilZero || *word == 0)) return true;
  }
}

void Car::DecodeDataValues(std::int64_t offset, int count) {
  m_DataValues.assign(static_cast<std::size_t>(count), DatVal{});
  m_DataValueCount = count;
  for (DatVal& value : m_DataValues) {
    value.m_Value = Read16(offset);
    value.m_Owner = this;
    offset += 2;
  }
}

// Writes at the places the decoder read from, so a region the decoder cut short
// (points starting before the image, say) never shifts the connections.
void Car::WriteBack(int tableOffset) {
  if (!m_Header || m_Valid == 0) return;
  const Regions regions = locateRegions(*m_Header, tableOffset);
  trace("Offset1 = %d\n", static_cast<int>(regions.points));
  std::int64_t cursor = regions.points;
  for (int i = 0; i < m_PointCount; ++i, cursor += kPointRecordSize) {
    const Vertex& point = m_Points[static_cast<std::size_t>(i)];
    Write32(cursor, negate(point.m_X));
    Write32(cursor + 4, point.m_Y);
    Write32(cursor + 8, point.m_Z);
    Write32(cursor + 12, point.m_U1);
  }
  trace("Offset2 = %d\n", static_cast<int>(regions.connections));
  cursor = regions.connections;
  for (int i = 0; i < m_ConnectionCount; ++i, cursor += kConnectionRecordSize) {
    const Point3D& connection = m_Connections[static_cast<std::size_t>(i)];
    Write16(cursor, connection.m_From);
    Write16(cursor + 2, connection.m_To);
    Write16(cursor + 4, connection.m_U1);
    Write16(cursor + 6, connection.m_U2);
  }
  // Edited data values go back too, so a saved car keeps every edit.
  for (int i = 0; i < m_DataValueCount; ++i)
    Write16(regions.dataValues + 2 * std::int64_t{i}, m_DataValues[static_cast<std::size_t>(i)].m_Value);
}

}  // namespace tavrel
