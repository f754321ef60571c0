#include "cli/ShapeJson.h"

namespace tavrel::cli {
namespace {

using Json = nlohmann::ordered_json;

Json headerJson(const ShapeHeader& h) {
  return Json{{"magic", h.magic},
              {"scaleBegin", h.scaleBegin},
              {"scaleEnd", h.scaleEnd},
              {"textureBegin", h.textureBegin},
              {"pointsBegin", h.pointsBegin},
              {"pointsEnd", h.pointsEnd},
              {"textureEnd", h.textureEnd},
              {"vertexEnd", h.vertexEnd},
              {"fileEnd", h.fileEnd}};
}

Json commandJson(const TextureCmd& command) {
  Json args = Json::array();
  for (int i = 0; i < command.m_ArgCount; ++i) args.push_back(command.m_Args[static_cast<std::size_t>(i)]);
  Json indices = Json::array();
  for (int i = 0; i < command.m_IndexCount; ++i) indices.push_back(command.m_Indices[static_cast<std::size_t>(i)]);
  return Json{{"sequence", command.m_Sequence}, {"opcode", command.m_Opcode}, {"args", args}, {"indices", indices}};
}

}  // namespace

nlohmann::ordered_json ShapeToJson(const Car& car) {
  Json points = Json::array();
  for (int i = 0; i < car.m_PointCount; ++i) {
    const Vertex& p = car.m_Points[static_cast<std::size_t>(i)];
    points.push_back(Json::array({p.m_X, p.m_Y, p.m_Z, p.m_U1}));
  }
  Json connections = Json::array();
  for (int i = 0; i < car.m_ConnectionCount; ++i) {
    const Point3D& c = car.m_Connections[static_cast<std::size_t>(i)];
    connections.push_back(Json::array({c.m_From, c.m_To, c.m_U1, c.m_U2}));
  }
  Json commands = Json::array();
  for (int i = 0; i < car.m_CommandCount; ++i)
    commands.push_back(commandJson(car.m_Commands[static_cast<std::size_t>(i)]));
  Json values = Json::array();
  for (int i = 0; i < car.m_DataValueCount; ++i)
    values.push_back(car.m_DataValues[static_cast<std::size_t>(i)].m_Value);
  return Json{{"valid", car.m_Valid != 0}, {"header", headerJson(car.m_Header.value_or(ShapeHeader{}))},
              {"points", points},          {"connections", connections},
              {"commands", commands},      {"dataValues", values}};
}

}  // namespace tavrel::cli
