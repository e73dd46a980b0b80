#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelModel.h"
#include "framework/VelShaderManager.h"

namespace {

TEST(VelShaderConstantsTest, Defaults) {
  VelCbObject object;
  EXPECT_TRUE(object.g_mW == MatrixIdentity());
  EXPECT_EQ(object.g_LightEnable, 1);
  EXPECT_FLOAT_EQ(object.g_UVTiling.x, 1);
  EXPECT_FLOAT_EQ(object.g_AlphaTestThreshold, 0);

  VelCbCamera camera;
  EXPECT_EQ(camera.g_DistanceFogEnable, 0);
  EXPECT_FLOAT_EQ(camera.g_DistanceFogColor.y, 1);
  EXPECT_FLOAT_EQ(camera.g_DistanceFogDensity, 0.001f);
  // The default camera sits at (0, 0, -5): the view moves the world 5 along +z.
  EXPECT_TRUE(VelDefaultView() == MatrixTranslation(0, 0, 5));
  float4x4 p = VelDefaultProjection(1280.0f / 720.0f);
  EXPECT_NEAR(p.m[0][0], 1.7320508f / (1280.0f / 720.0f), 1e-6f);
  EXPECT_NEAR(p.m[1][1], 1.7320508f, 1e-6f);
  EXPECT_NEAR(p.m[2][2], 1.00001f, 1e-6f);
  EXPECT_NEAR(p.m[3][2], -0.0100001f, 1e-8f);

  VelCbLight light;
  EXPECT_FLOAT_EQ(light.g_DL_Dir.y, -1);
  EXPECT_FLOAT_EQ(light.g_DL_Color.x, 1);
  EXPECT_FLOAT_EQ(light.g_PL[99].color.z, 3);
  EXPECT_FLOAT_EQ(light.g_PL[0].radius, 0);
  EXPECT_EQ(light.g_PL_Num, 0);

  VelCbSprite sprite;
  EXPECT_FLOAT_EQ(sprite.g_color.w, 1);
}

class VelShaderManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(device.Init(nullptr, 1280, 720, false, error));
    shaders.Init();
  }
  void TearDown() override {
    shaders.Release();
    device.Release();
  }

  // One node without a mesh, then one with three subsets: material 0, an
  // empty one with material 1, and one without a material.
  VelModel MakeModel() {
    VelModel model;
    model.Materials.resize(2);
    model.Materials[0].BaseColor = {1, 0.5f, 0.25f, 1};
    model.Materials[0].Metallic = 0.5f;
    model.Materials[0].Roughness = 0.25f;
    model.Materials[1].BaseColor = {0, 0, 1, 1};
    VelModelNode empty;
    empty.Name = "empty";
    model.Nodes.push_back(empty);
    VelModelNode node;
    node.Name = "mesh";
    node.NodeIndex = 1;
    node.Transform = MatrixTranslation(0, 1, 0);
    node.Mesh = std::make_shared<VelMesh>();
    std::vector<VelModelVertex> vertices(4);
    std::vector<VelFace> faces(2);
    faces[1].indices[0] = 3;
    std::vector<VelSubset> subsets = {{0, 0, 1}, {1, 1, 0}, {VelSubset::kNoMaterial, 1, 1}};
    node.Mesh->Create(vertices, faces, subsets);
    model.Nodes.push_back(node);
    return model;
  }

  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
};

TEST_F(VelShaderManagerTest, InitBindsTheSharedBuffersAndBeginsBindThePaths) {
  const VelPipelineState& state = device.GetState();
  EXPECT_EQ(state.constantBuffers[7], shaders.cbCamera.buffer.GetBuffer());
  EXPECT_EQ(state.constantBuffers[8], shaders.cbLight.buffer.GetBuffer());
  EXPECT_EQ(shaders.cbLight.buffer.GetCapacity(), 3264u);
  EXPECT_EQ(shaders.cbCamera.buffer.GetCapacity(), 160u);

  shaders.BeginModel();
  EXPECT_EQ(state.shader, shaders.modelShader);
  EXPECT_EQ(state.constantBuffers[0], shaders.cbObject.buffer.GetBuffer());
  EXPECT_EQ(state.constantBuffers[1], shaders.cbMaterial.buffer.GetBuffer());
  shaders.BeginEffect();
  EXPECT_EQ(state.shader->path, VelShaderPath::Effect);
  EXPECT_EQ(state.constantBuffers[0], shaders.effectShader.cbPerObject.buffer.GetBuffer());
  EXPECT_EQ(state.constantBuffers[7], shaders.cbCamera.buffer.GetBuffer()) << "shared slots stay bound";
}

TEST_F(VelShaderManagerTest, UploadsHappenOnlyWhenDirty) {
  shaders.UploadCamera();
  shaders.UploadLight();
  EXPECT_FALSE(shaders.cbCamera.IsDirty());
  uint32_t writes = device.GetHeadlessStats().bufferWrites;
  shaders.UploadCamera();
  shaders.UploadLight();
  EXPECT_EQ(device.GetHeadlessStats().bufferWrites, writes);
  shaders.cbCamera.Data().g_CamPos = {1, 2, 3};
  EXPECT_TRUE(shaders.cbCamera.IsDirty());
  shaders.UploadCamera();
  EXPECT_EQ(device.GetHeadlessStats().bufferWrites, writes + 1);
  EXPECT_FALSE(shaders.cbCamera.IsDirty());
}

TEST_F(VelShaderManagerTest, DrawModelSendsNodeTimesWorldAndEachMaterial) {
  VelModel model = MakeModel();
  shaders.BeginModel();
  shaders.modelWorld = MatrixRotationY(90 * kDegToRad) * MatrixTranslation(5, 0, 0);
  shaders.cbObject.Data().g_LightEnable = 0;
  shaders.DrawModel(model);

  const auto& records = device.GetDrawRecords();
  ASSERT_EQ(records.size(), 2u) << "the empty subset draws nothing";
  const float4x4 expected = MatrixTranslation(0, 1, 0) * shaders.modelWorld;
  for (const VelDrawRecord& draw : records) {
    EXPECT_EQ(draw.shader, VelShaderPath::Model);
    EXPECT_TRUE(draw.indexed);
    EXPECT_TRUE(draw.world == expected);
    EXPECT_EQ(draw.lightEnable, 0);
    EXPECT_EQ(draw.count, 3u);
    EXPECT_EQ(draw.vertexStride, 36u);
    EXPECT_EQ(draw.textureNames[0], "(white)") << "the materials carry the white texture";
  }
  EXPECT_EQ(records[0].start, 0u);
  EXPECT_EQ(records[1].start, 3u);
  EXPECT_FLOAT_EQ(records[0].material.BaseColor.y, 0.5f);
  EXPECT_FLOAT_EQ(records[0].material.Metallic, 0.5f);
  EXPECT_FLOAT_EQ(records[0].material.Roughness, 0.25f);
  // Neither the empty subset's material 1 nor "no material" replaced material 0.
  EXPECT_FLOAT_EQ(records[1].material.BaseColor.x, 1);
  EXPECT_FLOAT_EQ(records[1].material.BaseColor.z, 0.25f);
}

TEST_F(VelShaderManagerTest, AlphaAndEmissiveVariantsLeaveTheMaterialUnchanged) {
  VelModel model = MakeModel();
  shaders.BeginModel();
  shaders.DrawModelAlpha(model, 0.5f);
  shaders.DrawModelEmissive(model, 1, 0, 0);
  shaders.DrawModel(model);
  const auto& records = device.GetDrawRecords();
  ASSERT_EQ(records.size(), 6u);
  EXPECT_FLOAT_EQ(records[0].material.BaseColor.w, 0.5f);
  EXPECT_FLOAT_EQ(records[0].material.Emissive.x, 0);
  EXPECT_FLOAT_EQ(records[2].material.BaseColor.w, 1);
  EXPECT_FLOAT_EQ(records[2].material.Emissive.x, 1);
  EXPECT_FLOAT_EQ(records[2].material.Emissive.y, 0);
  EXPECT_FLOAT_EQ(records[4].material.BaseColor.w, 1);
  EXPECT_FLOAT_EQ(records[4].material.Emissive.x, 0);
  EXPECT_FLOAT_EQ(model.Materials[0].BaseColor.w, 1);
  EXPECT_FLOAT_EQ(model.Materials[0].Emissive.x, 0);
}

TEST_F(VelShaderManagerTest, MaterialNumbersPastTheListKeepTheBoundMaterial) {
  VelModel model = MakeModel();
  model.Nodes[1].Mesh->Subsets = {{0, 0, 1}, {7, 1, 1}};
  shaders.BeginModel();
  shaders.DrawModel(model);
  const auto& records = device.GetDrawRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_FLOAT_EQ(records[1].material.BaseColor.y, 0.5f);
}

TEST_F(VelShaderManagerTest, ReleaseTwiceIsHarmlessAndLeavesBuffersDirty) {
  shaders.UploadCamera();
  shaders.Release();
  shaders.Release();
  EXPECT_TRUE(shaders.cbCamera.IsDirty());
  EXPECT_FALSE(shaders.cbCamera.buffer.IsValid());
  EXPECT_FALSE(shaders.modelShader);
  EXPECT_FALSE(shaders.spriteShader.shader);
  shaders.Init();
  EXPECT_TRUE(shaders.modelShader && shaders.cbCamera.buffer.IsValid());
}

}  // namespace
