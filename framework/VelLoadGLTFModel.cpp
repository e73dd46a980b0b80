#include "framework/VelLoadGLTFModel.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "framework/VelFileSystem.h"

namespace {

// Hostile files can reuse one large accessor from many primitives and nodes; this
// bounds what a model may expand to (about 600 MB of vertices).
constexpr size_t kMaxModelVertices = size_t{16} << 20;
constexpr size_t kMaxModelFaces = size_t{16} << 20;

// ---------------------------------------------------------------------------
// Files

bool ReadFileLimited(const std::string& path, std::vector<unsigned char>* out, std::string* err) {
  return VelFileSystem::ReadWholeFile(path, out, kVelGLTFMaxFileBytes, err);
}

// The library looks external files up as JoinPath(baseDir, uri) and then as
// "./" + uri; only the first form, with a uri that stays below the model's
// folder, is let through.
struct FolderGuard {
  std::string baseDir;
  // Every external file the library asked for, read or not.
  std::vector<std::string> asked;

  bool Allows(const std::string& path) const {
    std::string rel;
    if (baseDir.empty()) {
      rel = path;
    } else {
      std::string prefix = baseDir.back() == '/' ? baseDir : baseDir + "/";
      if (path.compare(0, prefix.size(), prefix) != 0) return false;
      rel = path.substr(prefix.size());
    }
    return VelIsUriInsideFolder(rel);
  }
};

bool GuardedFileExists(const std::string& path, void* user) {
  if (!static_cast<FolderGuard*>(user)->Allows(path)) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::string GuardedExpandFilePath(const std::string& path, void*) {
  return path;
}

bool GuardedReadWholeFile(std::vector<unsigned char>* out, std::string* err, const std::string& path,
                          void* user) {
  FolderGuard* guard = static_cast<FolderGuard*>(user);
  if (!guard->Allows(path)) {
    if (err) *err += "File outside the model's folder : " + path + "\n";
    return false;
  }
  guard->asked.push_back(path);
  return ReadFileLimited(path, out, err);
}

bool RefuseWriteWholeFile(std::string* err, const std::string& path, const std::vector<unsigned char>&,
                          void*) {
  if (err) *err += "Writing is not allowed : " + path + "\n";
  return false;
}

// The engine decodes textures itself from the image files; images are never
// decoded here, which also keeps hostile image data away from the decoder.
bool KeepImageUndecoded(tinygltf::Image*, const int, std::string*, std::string*, int, int,
                        const unsigned char*, int, void*) {
  return true;
}

uint32_t ReadU32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The library trusts parts of the GLB header (its BIN chunk may reach 8 bytes
// past the stated length); everything is checked against the real file here.
bool CheckGlbHeader(const std::vector<unsigned char>& data, std::string* err) {
  const uint64_t size = data.size();
  if (size < 20) {
    *err = "Too short data size for glTF Binary.";
    return false;
  }
  if (std::memcmp(data.data(), "glTF", 4) != 0) {
    *err = "Invalid magic.";
    return false;
  }
  const uint64_t length = ReadU32(&data[8]);
  const uint64_t jsonLength = ReadU32(&data[12]);
  const uint32_t jsonFormat = ReadU32(&data[16]);
  const uint64_t jsonEnd = 20 + jsonLength;
  if (length > size || jsonLength == 0 || jsonEnd > length || jsonFormat != 0x4E4F534Au) {
    *err = "Invalid glTF binary.";
    return false;
  }
  if (jsonEnd == length) return true;
  if (jsonEnd + 8 > length) {
    *err = "Invalid glTF binary: truncated BIN chunk header.";
    return false;
  }
  const uint64_t binLength = ReadU32(&data[jsonEnd]);
  if (jsonEnd + 8 + binLength > length) {
    *err = "BIN Chunk data length exceeds the GLB size.";
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Accessors

size_t ComponentSize(int componentType) {
  switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
      return 2;
    case TINYGLTF_COMPONENT_TYPE_INT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT:
      return 4;
    case TINYGLTF_COMPONENT_TYPE_DOUBLE:
      return 8;
    default:
      return 0;
  }
}

size_t ComponentCount(int type) {
  switch (type) {
    case TINYGLTF_TYPE_SCALAR:
      return 1;
    case TINYGLTF_TYPE_VEC2:
      return 2;
    case TINYGLTF_TYPE_VEC3:
      return 3;
    case TINYGLTF_TYPE_VEC4:
    case TINYGLTF_TYPE_MAT2:
      return 4;
    case TINYGLTF_TYPE_MAT3:
      return 9;
    case TINYGLTF_TYPE_MAT4:
      return 16;
    default:
      return 0;
  }
}

// The elements of an accessor, all checked to lie inside their buffer view and buffer.
struct AccessorData {
  const tinygltf::Accessor* accessor = nullptr;
  const unsigned char* first = nullptr;
  size_t stride = 0;
  size_t count = 0;

  const unsigned char* Element(size_t i) const { return first + i * stride; }
};

bool LocateAccessor(const tinygltf::Model& gltf, int index, AccessorData* out) {
  if (index < 0 || size_t(index) >= gltf.accessors.size()) return false;
  const tinygltf::Accessor& acc = gltf.accessors[size_t(index)];
  const size_t elementSize = ComponentSize(acc.componentType) * ComponentCount(acc.type);
  if (elementSize == 0) return false;
  if (acc.bufferView < 0 || size_t(acc.bufferView) >= gltf.bufferViews.size()) return false;
  const tinygltf::BufferView& view = gltf.bufferViews[size_t(acc.bufferView)];
  if (view.buffer < 0 || size_t(view.buffer) >= gltf.buffers.size()) return false;
  const std::vector<unsigned char>& buffer = gltf.buffers[size_t(view.buffer)].data;
  if (view.byteOffset > buffer.size() || view.byteLength > buffer.size() - view.byteOffset) return false;
  // Tightly packed unless the view says otherwise (interleaved attributes).
  const size_t stride = view.byteStride != 0 ? view.byteStride : elementSize;
  if (stride < elementSize) return false;
  if (acc.count > 0) {
    if (acc.byteOffset > view.byteLength || elementSize > view.byteLength - acc.byteOffset) return false;
    const size_t room = view.byteLength - acc.byteOffset - elementSize;
    if ((acc.count - 1) > room / stride) return false;
  }
  out->accessor = &acc;
  out->first = acc.count > 0 ? buffer.data() + view.byteOffset + acc.byteOffset : nullptr;
  out->stride = stride;
  out->count = acc.count;
  return true;
}

template <typename T>
T Load(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

float3 LoadMirroredFloat3(const unsigned char* p) {
  return {Load<float>(p), Load<float>(p + 4), -Load<float>(p + 8)};
}

float UvComponent(int componentType, const unsigned char* p) {
  switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_FLOAT:
      return Load<float>(p);
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      return Load<uint8_t>(p) / 255.0f;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
      return Load<uint16_t>(p) / 65535.0f;
    case TINYGLTF_COMPONENT_TYPE_BYTE:
      return std::max(Load<int8_t>(p) / 127.0f, -1.0f);
    case TINYGLTF_COMPONENT_TYPE_SHORT:
      return std::max(Load<int16_t>(p) / 32767.0f, -1.0f);
    default:
      return 0;
  }
}

uint32_t PackChannel(float c) {
  // Written so that NaN lands on 0 too.
  if (!(c > 0.0f)) return 0;
  return uint32_t(std::min(c, 1.0f) * 255.0f);
}

uint32_t PackColor(float r, float g, float b, float a) {
  return PackChannel(r) | PackChannel(g) << 8 | PackChannel(b) << 16 | PackChannel(a) << 24;
}

bool ReadIndex(int componentType, const unsigned char* p, uint32_t* out) {
  switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
      *out = uint32_t(int32_t(Load<int8_t>(p)));
      return true;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      *out = Load<uint8_t>(p);
      return true;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
      *out = uint32_t(int32_t(Load<int16_t>(p)));
      return true;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
      *out = Load<uint16_t>(p);
      return true;
    case TINYGLTF_COMPONENT_TYPE_INT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
      *out = Load<uint32_t>(p);
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------
// Geometry

struct GLTFPrimitive {
  std::vector<VelModelVertex> Vertices;
  std::vector<VelFace> Faces;
  uint32_t Material = 0;
  std::map<std::string, int> Attributes;
};

int FindAttribute(const std::map<std::string, int>& attributes, const char* name) {
  auto it = attributes.find(name);
  return it == attributes.end() ? -1 : it->second;
}

// Converts one triangle primitive. Returns false (the primitive is skipped) when
// its data is missing, malformed or would be read outside its buffers.
bool ConvertPrimitive(const tinygltf::Model& gltf, const tinygltf::Primitive& prim, GLTFPrimitive* out) {
  out->Material = prim.material > 0 ? uint32_t(prim.material) : 0;
  out->Attributes = prim.attributes;

  AccessorData pos;
  if (!LocateAccessor(gltf, FindAttribute(prim.attributes, "POSITION"), &pos)) return false;
  if (pos.accessor->componentType != TINYGLTF_COMPONENT_TYPE_FLOAT ||
      pos.accessor->type != TINYGLTF_TYPE_VEC3)
    return false;
  const size_t vertexCount = pos.count;
  if (vertexCount > kMaxModelVertices) return false;

  // Optional attributes must cover every vertex; ones of an unreadable type are ignored.
  auto locateOptional = [&](const char* name, AccessorData* data, bool* present) {
    *present = false;
    int index = FindAttribute(prim.attributes, name);
    if (index < 0) return true;
    if (!LocateAccessor(gltf, index, data) || data->count < vertexCount) return false;
    *present = true;
    return true;
  };
  AccessorData normal, uv, color;
  bool hasNormal, hasUv, hasColor;
  if (!locateOptional("NORMAL", &normal, &hasNormal) || !locateOptional("TEXCOORD_0", &uv, &hasUv) ||
      !locateOptional("COLOR_0", &color, &hasColor))
    return false;
  hasNormal = hasNormal && normal.accessor->componentType == TINYGLTF_COMPONENT_TYPE_FLOAT &&
              normal.accessor->type == TINYGLTF_TYPE_VEC3;
  hasUv = hasUv && uv.accessor->type == TINYGLTF_TYPE_VEC2;
  hasColor = hasColor && color.accessor->componentType == TINYGLTF_COMPONENT_TYPE_FLOAT &&
             (color.accessor->type == TINYGLTF_TYPE_VEC3 || color.accessor->type == TINYGLTF_TYPE_VEC4);

  // Without indices the vertices are taken in order, three to a triangle (a
  // remainder is dropped); an index accessor that is there must be sound.
  const bool indexed = prim.indices >= 0;
  AccessorData idx;
  if (indexed && (!LocateAccessor(gltf, prim.indices, &idx) || idx.accessor->type != TINYGLTF_TYPE_SCALAR))
    return false;
  const int indexType = indexed ? idx.accessor->componentType : 0;
  const size_t faceCount = (indexed ? idx.count : vertexCount) / 3;
  if (faceCount > kMaxModelFaces) return false;

  out->Vertices.resize(vertexCount);
  for (size_t i = 0; i < vertexCount; ++i) {
    VelModelVertex& v = out->Vertices[i];
    v.position = LoadMirroredFloat3(pos.Element(i));
    if (hasNormal) v.normal = LoadMirroredFloat3(normal.Element(i));
    if (hasUv) {
      const size_t size = ComponentSize(uv.accessor->componentType);
      v.uv.x = UvComponent(uv.accessor->componentType, uv.Element(i));
      v.uv.y = UvComponent(uv.accessor->componentType, uv.Element(i) + size);
    }
    if (hasColor) {
      const unsigned char* c = color.Element(i);
      const float a = color.accessor->type == TINYGLTF_TYPE_VEC4 ? Load<float>(c + 12) : 1.0f;
      v.color = PackColor(Load<float>(c), Load<float>(c + 4), Load<float>(c + 8), a);
    }
  }

  out->Faces.resize(faceCount);
  for (size_t k = 0; k < faceCount; ++k) {
    uint32_t a = uint32_t(3 * k), b = uint32_t(3 * k + 2), c = uint32_t(3 * k + 1);
    if (indexed && (!ReadIndex(indexType, idx.Element(3 * k), &a) || !ReadIndex(indexType, idx.Element(3 * k + 2), &b) ||
                    !ReadIndex(indexType, idx.Element(3 * k + 1), &c)))
      return false;
    if (a >= vertexCount || b >= vertexCount || c >= vertexCount) return false;
    // Second and third swapped: restores the winding after the z mirror.
    out->Faces[k] = VelFace{{a, b, c}};
  }
  return true;
}

// Merges the node mesh's triangle primitives, sorted by material, into the node.
// Returns false when the model grows past its bounds.
bool BuildNodeGeometry(const tinygltf::Model& gltf, const tinygltf::Mesh& mesh, VelGLTFNode* node,
                       size_t* modelVertices, size_t* modelFaces) {
  std::vector<GLTFPrimitive> primitives;
  for (const tinygltf::Primitive& prim : mesh.primitives) {
    if (prim.mode != TINYGLTF_MODE_TRIANGLES) continue;
    GLTFPrimitive converted;
    if (!ConvertPrimitive(gltf, prim, &converted)) continue;
    *modelVertices += converted.Vertices.size();
    *modelFaces += converted.Faces.size();
    if (*modelVertices > kMaxModelVertices || *modelFaces > kMaxModelFaces) return false;
    primitives.push_back(std::move(converted));
  }
  std::stable_sort(primitives.begin(), primitives.end(),
                   [](const GLTFPrimitive& a, const GLTFPrimitive& b) { return a.Material < b.Material; });

  for (const GLTFPrimitive& prim : primitives) {
    const uint32_t vertexBase = uint32_t(node->Vertices.size());
    VelSubset subset;
    subset.material = prim.Material;
    subset.faceStart = uint32_t(node->Faces.size());
    subset.faceCount = uint32_t(prim.Faces.size());
    node->Subsets.push_back(subset);
    node->Vertices.insert(node->Vertices.end(), prim.Vertices.begin(), prim.Vertices.end());
    for (VelFace face : prim.Faces) {
      for (uint32_t& i : face.indices) i += vertexBase;
      node->Faces.push_back(face);
    }
  }
  return true;
}

// ---------------------------------------------------------------------------
// Materials and nodes

std::string TextureUri(const tinygltf::Model& gltf, int textureIndex) {
  if (textureIndex < 0 || size_t(textureIndex) >= gltf.textures.size()) return "";
  int source = gltf.textures[size_t(textureIndex)].source;
  if (source < 0 || size_t(source) >= gltf.images.size()) return "";
  return gltf.images[size_t(source)].uri;
}

VelGLTFMaterial ConvertMaterial(const tinygltf::Model& gltf, const tinygltf::Material& m) {
  VelGLTFMaterial out;
  out.Name = m.name;
  out.AlphaMode = m.alphaMode;
  out.AlphaCutoff = float(m.alphaCutoff);
  out.DoubleSided = m.doubleSided;
  const tinygltf::PbrMetallicRoughness& pbr = m.pbrMetallicRoughness;
  out.BaseColorTexture = TextureUri(gltf, pbr.baseColorTexture.index);
  out.MetallicRoughnessTexture = TextureUri(gltf, pbr.metallicRoughnessTexture.index);
  out.EmissiveTexture = TextureUri(gltf, m.emissiveTexture.index);
  out.NormalTexture = TextureUri(gltf, m.normalTexture.index);
  out.OcclusionTexture = TextureUri(gltf, m.occlusionTexture.index);
  if (pbr.baseColorFactor.size() == 4) {
    out.BaseColorFactor = {float(pbr.baseColorFactor[0]), float(pbr.baseColorFactor[1]),
                           float(pbr.baseColorFactor[2]), float(pbr.baseColorFactor[3])};
  }
  if (m.emissiveFactor.size() == 3) {
    out.EmissiveFactor = {float(m.emissiveFactor[0]), float(m.emissiveFactor[1]), float(m.emissiveFactor[2])};
  }
  out.MetallicFactor = float(pbr.metallicFactor);
  out.RoughnessFactor = float(pbr.roughnessFactor);
  return out;
}

float4x4 LocalTransform(const tinygltf::Node& n) {
  float4x4 x;
  if (n.matrix.size() == 16) {
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) x.m[r][c] = float(n.matrix[size_t(r * 4 + c)]);
  } else if (n.scale.size() == 3) {
    x = MatrixScaling(float(n.scale[0]), float(n.scale[1]), float(n.scale[2]));
  }
  float4x4 r;
  if (n.rotation.size() == 4) {
    r = MatrixFromQuaternion(
        {float(n.rotation[0]), float(n.rotation[1]), float(n.rotation[2]), float(n.rotation[3])});
  }
  float4x4 t;
  if (n.translation.size() == 3) {
    t = MatrixTranslation(float(n.translation[0]), float(n.translation[1]), float(n.translation[2]));
  }
  float4x4 local = x * r * t;
  // glTF is right-handed: mirror z on both sides.
  local.m[0][2] = -local.m[0][2];
  local.m[1][2] = -local.m[1][2];
  local.m[2][0] = -local.m[2][0];
  local.m[2][1] = -local.m[2][1];
  local.m[3][2] = -local.m[3][2];
  return local;
}

// The node graph must be a forest: children inside the node list, no node with
// two parents, no cycles. Anything else would loop the world walk and leak the
// shared child references.
bool CheckNodeForest(const tinygltf::Model& gltf) {
  const size_t count = gltf.nodes.size();
  std::vector<int> parent(count, -1);
  for (size_t i = 0; i < count; ++i) {
    for (int child : gltf.nodes[i].children) {
      if (child < 0 || size_t(child) >= count || parent[size_t(child)] != -1 || size_t(child) == i)
        return false;
      parent[size_t(child)] = int(i);
    }
  }
  // With one parent each, a cycle shows as a walk up that never reaches a root.
  std::vector<char> state(count, 0);  // 0 unknown, 1 on the current walk, 2 reaches a root
  for (size_t i = 0; i < count; ++i) {
    size_t n = i;
    while (state[n] == 0) {
      state[n] = 1;
      if (parent[n] < 0) break;
      n = size_t(parent[n]);
    }
    if (state[n] == 1 && parent[n] >= 0) return false;
    for (n = i; state[n] == 1;) {
      state[n] = 2;
      if (parent[n] < 0) break;
      n = size_t(parent[n]);
    }
  }
  return true;
}

void ComputeWorldTransforms(const std::vector<std::shared_ptr<VelGLTFNode>>& roots) {
  // An explicit stack: node chains in hostile files can be deeper than the call stack.
  std::vector<std::pair<VelGLTFNode*, const float4x4*>> pending;
  for (const auto& root : roots) {
    pending.push_back({root.get(), nullptr});
    while (!pending.empty()) {
      auto [node, parentWorld] = pending.back();
      pending.pop_back();
      node->WorldTransform = parentWorld ? node->LocalTransform * *parentWorld : node->LocalTransform;
      for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it) {
        pending.push_back({it->get(), &node->WorldTransform});
      }
    }
  }
}

// Writes why the conversion failed; the caller prints it.
bool Fail(const char* reason, std::string* why) {
  *why = reason;
  return false;
}

bool ConvertModel(const tinygltf::Model& gltf, VelGLTFModel* model, std::string* why) {
  for (const tinygltf::Material& m : gltf.materials) model->Materials.push_back(ConvertMaterial(gltf, m));
  if (model->Materials.empty()) model->Materials.emplace_back();

  if (!CheckNodeForest(gltf)) return Fail("the node hierarchy is not a tree", why);
  const size_t nodeCount = gltf.nodes.size();
  for (size_t i = 0; i < nodeCount; ++i) model->Nodes.push_back(std::make_shared<VelGLTFNode>());
  for (size_t i = 0; i < nodeCount; ++i) {
    const tinygltf::Node& src = gltf.nodes[i];
    VelGLTFNode& node = *model->Nodes[i];
    node.Name = src.name;
    node.NodeIndex = int(i);
    for (int child : src.children) node.Children.push_back(model->Nodes[size_t(child)]);
    node.LocalTransform = LocalTransform(src);
    node.HasMesh = src.mesh >= 0;
    if (node.HasMesh && size_t(src.mesh) >= gltf.meshes.size())
      return Fail("a node refers to a missing mesh", why);
  }

  if (!gltf.scenes.empty()) {
    for (int index : gltf.scenes[0].nodes) {
      if (index < 0 || size_t(index) >= nodeCount) return Fail("the scene refers to a missing node", why);
      model->RootNodes.push_back(model->Nodes[size_t(index)]);
    }
  }
  ComputeWorldTransforms(model->RootNodes);

  size_t modelVertices = 0, modelFaces = 0;
  for (size_t i = 0; i < nodeCount; ++i) {
    VelGLTFNode& node = *model->Nodes[i];
    if (!node.HasMesh) continue;
    if (!BuildNodeGeometry(gltf, gltf.meshes[size_t(gltf.nodes[i].mesh)], &node, &modelVertices, &modelFaces))
      return Fail("the model's geometry is too large", why);
  }
  return true;
}

}  // namespace

bool VelIsUriInsideFolder(const std::string& uri) {
  if (uri.empty() || uri[0] == '/' || uri[0] == '\\') return false;
  if (uri.size() >= 2 && uri[1] == ':') return false;
  size_t start = 0;
  while (start <= uri.size()) {
    size_t end = uri.find_first_of("/\\", start);
    if (end == std::string::npos) end = uri.size();
    if (uri.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

std::shared_ptr<VelGLTFModel> VelLoadGLTFModel(const std::string& fileName) {
  return VelLoadGLTFModel(fileName, nullptr);
}

std::shared_ptr<VelGLTFModel> VelLoadGLTFModel(const std::string& fileName, VelGLTFLoadReport* report) {
  auto say = [report](const std::string& line) {
    std::fputs(line.c_str(), stdout);
    if (report) report->output += line;
  };
  if (report) *report = VelGLTFLoadReport{};
  const size_t dot = fileName.find_last_of('.');
  const std::string extension = dot == std::string::npos ? "" : fileName.substr(dot + 1);
  const bool binary = extension == "glb";
  say(binary ? "Reading binary glTF\n" : "Reading ASCII glTF\n");

  tinygltf::Model gltf;
  std::string err, warn;
  bool ok = false;

  const size_t slash = fileName.find_last_of("/\\");
  FolderGuard guard{slash == std::string::npos ? "" : fileName.substr(0, slash), {}};
  std::vector<unsigned char> data;
  std::string readErr;
  if (!ReadFileLimited(fileName, &data, &readErr)) {
    err = "Failed to read file: " + fileName + ": " + readErr;
  } else if (!binary && data.empty()) {
    err = "Empty file.";
  } else if (binary && !CheckGlbHeader(data, &err)) {
  } else {
    try {
      tinygltf::TinyGLTF loader;
      loader.SetFsCallbacks(
          {&GuardedFileExists, &GuardedExpandFilePath, &GuardedReadWholeFile, &RefuseWriteWholeFile, &guard});
      loader.SetImageLoader(&KeepImageUndecoded, nullptr);
      if (binary) {
        ok = loader.LoadBinaryFromMemory(&gltf, &err, &warn, data.data(), unsigned(data.size()),
                                         guard.baseDir);
      } else {
        ok = loader.LoadASCIIFromString(&gltf, &err, &warn, reinterpret_cast<const char*>(data.data()),
                                        unsigned(data.size()), guard.baseDir);
      }
    } catch (const std::exception& e) {
      err += e.what();
      ok = false;
    } catch (...) {
      err += "unknown failure";
      ok = false;
    }
  }

  if (report) {
    report->files.push_back(fileName);
    report->files.insert(report->files.end(), guard.asked.begin(), guard.asked.end());
  }
  // As printf's %s would, the texts end at a NUL.
  if (!warn.empty()) say("Warn: " + std::string(warn.c_str()) + "\n");
  if (!err.empty()) say("Err: " + std::string(err.c_str()) + "\n");
  if (!ok) {
    say("Failed to parse glTF\n");
    return nullptr;
  }

  auto model = std::make_shared<VelGLTFModel>();
  try {
    std::string why;
    if (!ConvertModel(gltf, model.get(), &why)) {
      say("Err: " + why + "\n");
      say("Failed to parse glTF\n");
      return nullptr;
    }
  } catch (const std::exception&) {
    say("Failed to parse glTF\n");
    return nullptr;
  }
  return model;
}
