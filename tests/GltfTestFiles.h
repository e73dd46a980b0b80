#pragma once

// Small glTF files written by the tests themselves: a builder for the JSON and
// its binary buffer, written as .gltf (embedded or external buffer) or .glb,
// and a temporary folder that cleans up after itself.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

namespace gltftest {

constexpr int kByte = 5120;
constexpr int kUnsignedByte = 5121;
constexpr int kShort = 5122;
constexpr int kUnsignedShort = 5123;
constexpr int kUnsignedInt = 5125;
constexpr int kFloat = 5126;

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("halvane_gltf_" + std::to_string(rd()) + "_" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const void* data, size_t size) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), std::streamsize(size));
}

inline void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, text.data(), text.size());
}

inline std::string Base64(const std::vector<uint8_t>& data) {
  static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < data.size(); i += 3) {
    uint32_t n = uint32_t(data[i]) << 16 | uint32_t(data[i + 1]) << 8 | data[i + 2];
    out += table[n >> 18];
    out += table[(n >> 12) & 63];
    out += table[(n >> 6) & 63];
    out += table[n & 63];
  }
  if (i + 1 == data.size()) {
    uint32_t n = uint32_t(data[i]) << 16;
    out += table[n >> 18];
    out += table[(n >> 12) & 63];
    out += "==";
  } else if (i + 2 == data.size()) {
    uint32_t n = uint32_t(data[i]) << 16 | uint32_t(data[i + 1]) << 8;
    out += table[n >> 18];
    out += table[(n >> 12) & 63];
    out += table[(n >> 6) & 63];
    out += '=';
  }
  return out;
}

class GltfBuilder {
 public:
  nlohmann::json doc;
  std::vector<uint8_t> bin;

  GltfBuilder() {
    doc["asset"] = {{"version", "2.0"}};
    doc["scene"] = 0;
    doc["scenes"] = nlohmann::json::array({nlohmann::json::object({{"nodes", nlohmann::json::array()}})});
  }

  // A buffer view over new bytes of the single buffer, 4-byte aligned.
  int AddView(const void* data, size_t size, size_t stride = 0) {
    while (bin.size() % 4) bin.push_back(0);
    nlohmann::json view = {{"buffer", 0}, {"byteOffset", bin.size()}, {"byteLength", size}};
    if (stride) view["byteStride"] = stride;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bin.insert(bin.end(), p, p + size);
    doc["bufferViews"].push_back(view);
    return int(doc["bufferViews"].size()) - 1;
  }

  int AddAccessor(int view, int componentType, size_t count, const std::string& type, size_t byteOffset = 0) {
    nlohmann::json acc = {
        {"bufferView", view}, {"componentType", componentType}, {"count", count}, {"type", type}};
    if (byteOffset) acc["byteOffset"] = byteOffset;
    doc["accessors"].push_back(acc);
    return int(doc["accessors"].size()) - 1;
  }

  template <typename T>
  int AddData(const std::vector<T>& values, int componentType, const std::string& type, size_t components) {
    int view = AddView(values.data(), values.size() * sizeof(T));
    return AddAccessor(view, componentType, values.size() / components, type);
  }
  int AddVec3(const std::vector<float>& v) { return AddData(v, kFloat, "VEC3", 3); }
  int AddVec2(const std::vector<float>& v) { return AddData(v, kFloat, "VEC2", 2); }
  int AddIndices(const std::vector<uint32_t>& v) { return AddData(v, kUnsignedInt, "SCALAR", 1); }

  // A triangle primitive; material < 0 leaves the property out.
  nlohmann::json Primitive(int position, int indices, int material = -1) const {
    nlohmann::json p = {{"attributes", {{"POSITION", position}}}, {"indices", indices}};
    if (material >= 0) p["material"] = material;
    return p;
  }

  int AddMesh(const std::vector<nlohmann::json>& primitives) {
    doc["meshes"].push_back({{"primitives", primitives}});
    return int(doc["meshes"].size()) - 1;
  }

  // A node with an optional mesh; by default it also becomes a root of scene 0.
  int AddNode(nlohmann::json node, bool root = true) {
    doc["nodes"].push_back(node);
    int index = int(doc["nodes"].size()) - 1;
    if (root) doc["scenes"][0]["nodes"].push_back(index);
    return index;
  }

  // One mesh node with the triangles given as positions and indices.
  int AddTriangleNode(const std::vector<float>& positions, const std::vector<uint32_t>& indices,
                      nlohmann::json node = nlohmann::json::object(), int material = -1) {
    int pos = AddVec3(positions);
    int idx = AddIndices(indices);
    node["mesh"] = AddMesh({Primitive(pos, idx, material)});
    return AddNode(node);
  }

  int AddMaterial(nlohmann::json material) {
    doc["materials"].push_back(material);
    return int(doc["materials"].size()) - 1;
  }

  std::string Json(const std::string& bufferUri) const {
    nlohmann::json d = doc;
    if (!bin.empty() || d.contains("bufferViews")) {
      d["buffers"] = nlohmann::json::array({{{"byteLength", bin.size()}}});
      if (!bufferUri.empty()) d["buffers"][0]["uri"] = bufferUri;
    }
    return d.dump();
  }

  // The buffer embedded as a data uri.
  std::string WriteGltf(const std::string& path) const {
    WriteText(path, Json("data:application/octet-stream;base64," + Base64(bin)));
    return path;
  }

  // The buffer beside the file (or wherever the uri points).
  std::string WriteGltfExternal(const std::string& path, const std::string& binUri) const {
    WriteText(path, Json(binUri));
    WriteBytes((std::filesystem::path(path).parent_path() / binUri).string(), bin.data(), bin.size());
    return path;
  }

  std::vector<uint8_t> Glb() const {
    std::string json = Json("");
    while (json.size() % 4) json += ' ';
    std::vector<uint8_t> body = bin;
    while (body.size() % 4) body.push_back(0);
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    const uint32_t total = uint32_t(12 + 8 + json.size() + (body.empty() ? 0 : 8 + body.size()));
    out.insert(out.end(), {'g', 'l', 'T', 'F'});
    u32(2);
    u32(total);
    u32(uint32_t(json.size()));
    u32(0x4E4F534A);
    out.insert(out.end(), json.begin(), json.end());
    if (!body.empty()) {
      u32(uint32_t(body.size()));
      u32(0x004E4942);
      out.insert(out.end(), body.begin(), body.end());
    }
    return out;
  }

  std::string WriteGlb(const std::string& path) const {
    std::vector<uint8_t> glb = Glb();
    WriteBytes(path, glb.data(), glb.size());
    return path;
  }
};

}  // namespace gltftest
