#include "models/GltfWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

namespace models {

using nlohmann::json;

int Model::TriangleCount() const {
  int n = 0;
  for (const auto& mesh : meshes) n += mesh.TriangleCount();
  return n;
}

namespace {

constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;

std::string Base64(const std::vector<unsigned char>& data) {
  static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  for (size_t i = 0; i < data.size(); i += 3) {
    unsigned v = data[i] << 16;
    if (i + 1 < data.size()) v |= data[i + 1] << 8;
    if (i + 2 < data.size()) v |= data[i + 2];
    out += table[(v >> 18) & 63];
    out += table[(v >> 12) & 63];
    out += i + 1 < data.size() ? table[(v >> 6) & 63] : '=';
    out += i + 2 < data.size() ? table[v & 63] : '=';
  }
  return out;
}

json Array(std::initializer_list<float> values) {
  json a = json::array();
  for (float v : values) a.push_back(v);
  return a;
}

class BufferBuilder {
 public:
  // Appends one tightly packed view and its accessor; returns the accessor index.
  int Add(const void* data, size_t bytes, int componentType, const char* type, size_t count, int target,
          json* accessors, json* views) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    json view = {{"buffer", 0}, {"byteOffset", bytes_.size()}, {"byteLength", bytes}, {"target", target}};
    const unsigned char* p = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), p, p + bytes);
    views->push_back(view);
    json accessor = {{"bufferView", views->size() - 1},
                     {"componentType", componentType},
                     {"count", count},
                     {"type", type}};
    accessors->push_back(accessor);
    return static_cast<int>(accessors->size()) - 1;
  }
  const std::vector<unsigned char>& Bytes() const { return bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace

bool WriteGltf(const Model& model, const std::string& path) {
  json doc;
  doc["asset"] = {{"version", "2.0"}, {"generator", "Halvane assetgen"}};
  json accessors = json::array(), views = json::array(), meshes = json::array(), nodes = json::array();
  json images = json::array(), textures = json::array(), materials = json::array();
  BufferBuilder buffer;

  // Each image file gets one texture, shared by every material that names it.
  std::vector<std::string> imageNames;
  auto textureOf = [&](const std::string& file) {
    for (size_t i = 0; i < imageNames.size(); ++i)
      if (imageNames[i] == file) return static_cast<int>(i);
    imageNames.push_back(file);
    images.push_back({{"uri", file}});
    textures.push_back({{"sampler", 0}, {"source", imageNames.size() - 1}});
    return static_cast<int>(imageNames.size()) - 1;
  };
  for (const auto& m : model.materials) {
    json pbr = {{"baseColorFactor", Array({m.baseColor.x, m.baseColor.y, m.baseColor.z, m.baseColor.w})},
                {"metallicFactor", m.metallic},
                {"roughnessFactor", m.roughness}};
    if (!m.baseTexture.empty()) pbr["baseColorTexture"] = {{"index", textureOf(m.baseTexture)}};
    json material = {{"name", m.name},
                     {"pbrMetallicRoughness", pbr},
                     {"emissiveFactor", Array({m.emissive.x, m.emissive.y, m.emissive.z})}};
    if (!m.emissiveTexture.empty()) material["emissiveTexture"] = {{"index", textureOf(m.emissiveTexture)}};
    if (m.blend) material["alphaMode"] = "BLEND";
    if (m.doubleSided) material["doubleSided"] = true;
    materials.push_back(material);
  }

  for (const auto& mesh : model.meshes) {
    json primitives = json::array();
    for (const auto& part : mesh.Parts()) {
      size_t n = part.vertices.size();
      std::vector<float> pos, nrm, uv, col;
      pos.reserve(n * 3);
      float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
      for (const auto& v : part.vertices) {
        float p[3] = {v.position.x, v.position.y, -v.position.z};
        for (int k = 0; k < 3; ++k) {
          pos.push_back(p[k]);
          lo[k] = std::min(lo[k], p[k]);
          hi[k] = std::max(hi[k], p[k]);
        }
        nrm.insert(nrm.end(), {v.normal.x, v.normal.y, -v.normal.z});
        uv.insert(uv.end(), {v.uv.x, v.uv.y});
        col.insert(col.end(), {v.color.x, v.color.y, v.color.z, v.color.w});
      }
      std::vector<uint32_t> idx = part.indices;
      for (size_t i = 0; i + 2 < idx.size(); i += 3) std::swap(idx[i + 1], idx[i + 2]);
      json attributes;
      int position =
          buffer.Add(pos.data(), pos.size() * 4, kFloat, "VEC3", n, kArrayBuffer, &accessors, &views);
      accessors[position]["min"] = Array({lo[0], lo[1], lo[2]});
      accessors[position]["max"] = Array({hi[0], hi[1], hi[2]});
      attributes["POSITION"] = position;
      attributes["NORMAL"] =
          buffer.Add(nrm.data(), nrm.size() * 4, kFloat, "VEC3", n, kArrayBuffer, &accessors, &views);
      attributes["TEXCOORD_0"] =
          buffer.Add(uv.data(), uv.size() * 4, kFloat, "VEC2", n, kArrayBuffer, &accessors, &views);
      attributes["COLOR_0"] =
          buffer.Add(col.data(), col.size() * 4, kFloat, "VEC4", n, kArrayBuffer, &accessors, &views);
      int indices = buffer.Add(idx.data(), idx.size() * 4, kUnsignedInt, "SCALAR", idx.size(),
                               kElementArrayBuffer, &accessors, &views);
      primitives.push_back(
          {{"attributes", attributes}, {"indices", indices}, {"material", part.material}, {"mode", 4}});
    }
    meshes.push_back({{"name", mesh.Name()}, {"primitives", primitives}});
    nodes.push_back({{"name", mesh.Name()}, {"mesh", meshes.size() - 1}});
  }

  json sceneNodes = json::array();
  for (size_t i = 0; i < nodes.size(); ++i) sceneNodes.push_back(i);
  doc["scene"] = 0;
  doc["scenes"] = json::array({{{"nodes", sceneNodes}}});
  doc["nodes"] = nodes;
  doc["meshes"] = meshes;
  doc["materials"] = materials;
  if (!images.empty()) {
    doc["images"] = images;
    doc["textures"] = textures;
    // Linear filtering with mipmaps, repeating: surfaces tile their textures.
    doc["samplers"] =
        json::array({{{"magFilter", 9729}, {"minFilter", 9987}, {"wrapS", 10497}, {"wrapT", 10497}}});
  }
  doc["accessors"] = accessors;
  doc["bufferViews"] = views;
  doc["buffers"] = json::array({{{"byteLength", buffer.Bytes().size()},
                                 {"uri", "data:application/octet-stream;base64," + Base64(buffer.Bytes())}}});

  std::ofstream out(path, std::ios::binary);
  out << doc.dump(1) << '\n';
  if (!out) {
    std::fprintf(stderr, "models: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace models
