// halvane-dev model FILE: loads the file as the game does (VelModel::Load on the
// headless backend) and prints what it holds as one JSON object.

#include <algorithm>
#include <cstring>

#include "framework/VelModel.h"
#include "framework/headless/VelHeadlessBackend.h"
#include "tools/dev/DevCommon.h"
#include "tools/dev/DevVerbs.h"

namespace {

constexpr size_t kListedItems = 4;

nlohmann::json TextureJson(const VelTextureSource& source) {
  return {{"file", source.FileName}, {"loaded", source.Loaded}};
}

nlohmann::json MaterialJson(const VelModelMaterial& m) {
  return {{"name", m.Name},
          {"baseColor", DevJson(m.BaseColor)},
          {"emissive", DevJson(m.Emissive)},
          {"metallic", m.Metallic},
          {"roughness", m.Roughness},
          {"baseColorTexture", TextureJson(m.BaseColorSource)},
          {"metallicRoughnessTexture", TextureJson(m.MetallicRoughnessSource)},
          {"emissiveTexture", TextureJson(m.EmissiveSource)},
          {"normalTexture", TextureJson(m.NormalSource)}};
}

// The vertices as uploaded: the headless backend keeps each buffer's bytes.
std::vector<VelModelVertex> UploadedVertices(const VelMesh& mesh, size_t count) {
  std::vector<VelModelVertex> vertices;
  auto* buffer = dynamic_cast<const VelHeadlessBuffer*>(mesh.vertexBuffer.GetBuffer().get());
  if (!buffer) return vertices;
  vertices.resize(std::min(count, buffer->data.size() / sizeof(VelModelVertex)));
  if (!vertices.empty())
    std::memcpy(vertices.data(), buffer->data.data(), vertices.size() * sizeof(VelModelVertex));
  return vertices;
}

nlohmann::json NodeJson(const VelModelNode& node) {
  nlohmann::json out = {{"name", node.Name},
                        {"index", node.NodeIndex},
                        {"hasMesh", node.Mesh != nullptr},
                        {"transform", DevJson(node.Transform)}};
  const VelMesh* mesh = node.Mesh.get();
  out["vertexCount"] = mesh ? mesh->Positions.size() : 0;
  out["faceCount"] = mesh ? mesh->Faces.size() : 0;
  nlohmann::json subsets = nlohmann::json::array();
  nlohmann::json faces = nlohmann::json::array();
  nlohmann::json vertices = nlohmann::json::array();
  if (mesh) {
    for (const VelSubset& s : mesh->Subsets) {
      subsets.push_back({{"material", s.material}, {"faceStart", s.faceStart}, {"faceCount", s.faceCount}});
    }
    for (size_t i = 0; i < std::min(kListedItems, mesh->Faces.size()); ++i) {
      const VelFace& f = mesh->Faces[i];
      faces.push_back({f.indices[0], f.indices[1], f.indices[2]});
    }
    for (const VelModelVertex& v : UploadedVertices(*mesh, kListedItems)) {
      vertices.push_back({{"pos", DevJson(v.position)},
                          {"uv", DevJson(v.uv)},
                          {"normal", DevJson(v.normal)},
                          {"color", v.color}});
    }
  }
  out["subsets"] = subsets;
  out["faces"] = faces;
  out["vertices"] = vertices;
  return out;
}

}  // namespace

int RunModelVerb(const DevArgs& args) {
  if (args.size() != 1) return DevUsageError("usage: model FILE");
  if (!DevInitHeadlessGraphics()) return 1;

  VelModel model;
  bool ok = false;
  std::vector<std::string> lines = DevCaptureStdoutLines([&] { ok = model.Load(args[0]); });

  nlohmann::json out;
  out["ok"] = ok;
  out["stdout"] = lines;
  out["materials"] = nlohmann::json::array();
  for (const VelModelMaterial& m : model.Materials) out["materials"].push_back(MaterialJson(m));
  out["nodes"] = nlohmann::json::array();
  for (const VelModelNode& n : model.Nodes) out["nodes"].push_back(NodeJson(n));
  out["rootNodes"] = nlohmann::json::array();
  for (const VelModelNode& n : model.RootNodes) out["rootNodes"].push_back(n.NodeIndex);
  DevPrint(out);

  model = VelModel();
  DevReleaseGraphics();
  return 0;
}
