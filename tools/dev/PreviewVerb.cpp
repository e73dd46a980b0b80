// halvane-dev preview OUTDIR: renders what Data/ holds to PNG files for looking at,
// with the game's own loaders, shaders and light, on OpenGL in a hidden window.
//
//   <folder>_<model>.png  each model from four sides (front = from +z, the way
//                         figures face; back; its left, -x; its right, +x), the
//                         camera fitted to its bounds
//   Ground_Stage_top.png  the stage from above, north (+z) to the right
//   Scene_*.png           the stage, airplane, doors and sky as the game camera
//                         sees them, and the title scene's figures on its ground
//   Textures.png          every PNG of Data/ on a checkerboard, named with its size

#include <stb_image_write.h>
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/VelGraphicsDevice.h"
#include "framework/VelModel.h"
#include "framework/VelShaderManager.h"
#include "framework/VelSprite.h"
#include "framework/VelTexture.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tools/dev/DevCommon.h"
#include "tools/dev/DevVerbs.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
const char* const kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

struct Rgba {
  uint8_t r, g, b, a;
};

struct Picture {
  Picture(int w, int h, Rgba fill) : width(w), height(h), pixels(size_t(w) * h * 4) {
    for (size_t i = 0; i < pixels.size(); i += 4) {
      pixels[i] = fill.r;
      pixels[i + 1] = fill.g;
      pixels[i + 2] = fill.b;
      pixels[i + 3] = fill.a;
    }
  }
  uint8_t* At(int x, int y) { return &pixels[(size_t(y) * width + x) * 4]; }
  // Copies a frame halved in both directions (a 2 x 2 box filter smooths its edges).
  void PasteHalf(const std::vector<uint8_t>& frame, int frameWidth, int frameHeight, int x0, int y0) {
    for (int y = 0; y < frameHeight / 2; ++y)
      for (int x = 0; x < frameWidth / 2; ++x) {
        if (x0 + x >= width || y0 + y >= height) continue;
        uint8_t* out = At(x0 + x, y0 + y);
        for (int c = 0; c < 4; ++c) {
          int sum = 0;
          for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
              sum += frame[(size_t(2 * y + dy) * frameWidth + 2 * x + dx) * 4 + c];
          out[c] = uint8_t((sum + 2) / 4);
        }
      }
  }
  void Paste(const std::vector<uint8_t>& frame, int frameWidth, int frameHeight, int x0, int y0) {
    for (int y = 0; y < frameHeight && y0 + y < height; ++y)
      for (int x = 0; x < frameWidth && x0 + x < width; ++x)
        std::copy_n(&frame[(size_t(y) * frameWidth + x) * 4], 4, At(x0 + x, y0 + y));
  }
  bool Write(const std::string& path) const {
    return stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4) != 0;
  }
  int width, height;
  std::vector<uint8_t> pixels;
};

// Captions in a bold face with a dark outline, readable on any background.
class Captions {
 public:
  bool Load() {
    std::ifstream in(kFontPath, std::ios::binary);
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !data.empty() && stbtt_InitFont(&font, data.data(), stbtt_GetFontOffsetForIndex(data.data(), 0));
  }
  void Draw(Picture& picture, int x, int y, const std::string& text, float size = 16) const {
    if (data.empty()) return;
    float scale = stbtt_ScaleForPixelHeight(&font, size);
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &gap);
    int baseline = y + int(std::ceil(ascent * scale));
    float pen = float(x);
    for (unsigned char c : text) {
      int w, h, ox, oy;
      unsigned char* glyph = stbtt_GetCodepointBitmap(&font, scale, scale, c, &w, &h, &ox, &oy);
      for (int pass = 0; pass < 2; ++pass)
        for (int gy = 0; gy < h; ++gy)
          for (int gx = 0; gx < w; ++gx) {
            int coverage = glyph[gy * w + gx];
            if (coverage == 0) continue;
            for (int d = pass == 0 ? -1 : 0; d <= (pass == 0 ? 1 : 0); ++d)
              for (int e = pass == 0 ? -1 : 0; e <= (pass == 0 ? 1 : 0); ++e) {
                int px = int(pen) + ox + gx + d, py = baseline + oy + gy + e;
                if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) continue;
                uint8_t* out = picture.At(px, py);
                uint8_t ink = pass == 0 ? 0 : 255;
                for (int k = 0; k < 3; ++k) out[k] = uint8_t(out[k] + (ink - out[k]) * coverage / 255);
                out[3] = 255;
              }
          }
      stbtt_FreeBitmap(glyph, nullptr);
      int advance, bearing;
      stbtt_GetCodepointHMetrics(&font, c, &advance, &bearing);
      pen += advance * scale;
    }
  }

 private:
  std::vector<unsigned char> data;
  stbtt_fontinfo font{};
};

struct Box3 {
  float3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
  void Add(const float3& p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
  bool Empty() const { return lo.x > hi.x; }
  float3 Centre() const { return (lo + hi) * 0.5f; }
  float Radius() const { return Length(hi - lo) * 0.5f; }
};

Box3 BoundsOf(const VelModel& model) {
  Box3 box;
  for (const VelModelNode& node : model.Nodes)
    if (node.Mesh)
      for (const float3& p : node.Mesh->Positions) box.Add(TransformCoord(p, node.Transform));
  return box;
}

// How one model (or scene) is drawn.
enum class Look { Lit, Unlit, Additive };

struct Placed {
  const VelModel* model;
  float4x4 world;
  Look look;
};

class Renderer {
 public:
  bool Init() {
    auto platform = std::make_unique<HeadlessPlatform>();
    platform->EnableRenderWindow(true);
    InstallPlatform(std::move(platform));
    if (!Sys().CreateGameWindow("Halvane preview", kWidth, kHeight)) {
      std::cerr << "halvane-dev: no OpenGL window could be opened\n";
      return false;
    }
    std::string error;
    if (!device.Init(Sys().NativeWindow(), kWidth, kHeight, false, error) || device.IsHeadless()) {
      std::cerr << "halvane-dev: OpenGL failed: " << error << "\n";
      return false;
    }
    shaders.Init();
    // The light of the game and title scenes.
    VelCbLight& light = shaders.cbLight.Data();
    light.g_DL_Dir = Normalize({1, -10, 0});
    light.g_DL_Color = {3, 3, 3};
    light.g_AmbientLight = {0.5f, 0.5f, 0.5f};
    shaders.UploadLight();
    opaque = device.CreateBlendState(1);
    additive = device.CreateBlendState(2);
    depthWrite = device.CreateDepthStencilState(true, true);
    depthTestOnly = device.CreateDepthStencilState(true, false);
    return shaders.modelShader != nullptr;
  }

  void Release() {
    shaders.Release();
    device.Release();
    Sys().DestroyGameWindow();
    UninstallPlatform();
  }

  void SetCamera(const float3& eye, const float3& target, const float3& up, float fovDegrees, float nearZ,
                 float farZ) {
    VelCbCamera& camera = shaders.cbCamera.Data();
    camera.g_mV = MatrixLookAtLH(eye, target, up);
    camera.g_mP = MatrixPerspectiveFovLH(fovDegrees * kDegToRad, float(kWidth) / kHeight, nearZ, farZ);
    camera.g_CamPos = eye;
    shaders.UploadCamera();
  }

  void SetFog(bool on, const float3& colour, float density) {
    VelCbCamera& camera = shaders.cbCamera.Data();
    camera.g_DistanceFogEnable = on ? 1 : 0;
    camera.g_DistanceFogColor = colour;
    camera.g_DistanceFogDensity = density;
    shaders.UploadCamera();
  }

  // Draws the models in the game's pass order (lit, unlit, additive) and reads the
  // frame back. Nothing is culled, as in the game.
  std::vector<uint8_t> Frame(const std::vector<Placed>& models, const float4& clear) {
    device.ClearBackBuffer(clear);
    device.ClearDepth(1.0f, 0);
    shaders.BeginModel();
    for (Look pass : {Look::Lit, Look::Unlit, Look::Additive}) {
      device.SetBlendState(pass == Look::Additive ? additive : opaque);
      device.SetDepthStencilState(pass == Look::Additive ? depthTestOnly : depthWrite);
      shaders.cbObject.Data().g_LightEnable = pass == Look::Unlit ? 0 : 1;
      for (const Placed& p : models) {
        if (p.look != pass) continue;
        shaders.modelWorld = p.world;
        if (pass == Look::Additive)
          shaders.DrawModelAlpha(*p.model, 0.5f);
        else
          shaders.DrawModel(*p.model);
      }
    }
    shaders.cbObject.Data().g_LightEnable = 1;
    device.SetBlendState(opaque);
    device.SetDepthStencilState(depthWrite);
    return ReadBack();
  }

  std::vector<uint8_t> ReadBack() {
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    if (!device.ReadBackBuffer(rgba, w, h) || w != kWidth || h != kHeight)
      rgba.assign(size_t(kWidth) * kHeight * 4, 0);
    device.Present();
    return rgba;
  }

  VelGraphicsDevice& device = VelGraphicsDevice::GetInstance();
  VelShaderManager& shaders = VelShaderManager::GetInstance();
  std::shared_ptr<VelBlendState> opaque, additive;
  std::shared_ptr<VelDepthStencilState> depthWrite, depthTestOnly;
};

const float4 kBackdrop{0.2f, 0.2f, 0.2f, 1};  // the game scene's clear colour

Look LookOf(const std::string& file) {
  if (file == "Sky/Sky.gltf") return Look::Unlit;
  if (file == "Enemy/DoomShield.gltf" || file == "Effect/PushAttack.gltf") return Look::Additive;
  return Look::Lit;
}

std::string OutputName(const std::string& file) {
  std::string name = fs::path(file).replace_extension().string();
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

// Four views around the model, looking a little down, in a 2 x 2 sheet.
bool PreviewModel(Renderer& r, const Captions& captions, const std::string& file, const VelModel& model,
                  const std::string& outDir) {
  Box3 box = BoundsOf(model);
  if (box.Empty()) {
    std::cerr << "halvane-dev: " << file << " has no geometry\n";
    return false;
  }
  Look look = LookOf(file);
  Picture sheet(kWidth, kHeight, {0, 0, 0, 255});
  const struct {
    const char* name;
    float3 from;
  } views[] = {{"front (from +z)", {0, 0, 1}},
               {"back (from -z)", {0, 0, -1}},
               {"left (from -x)", {-1, 0, 0}},
               {"right (from +x)", {1, 0, 0}}};
  const float fov = 40.0f;
  for (int i = 0; i < 4; ++i) {
    if (file == "Sky/Sky.gltf") {
      // The dome is seen from inside, as the game sees it: from its centre, looking out and up.
      float3 eye{0, 10, 0};
      float3 target = eye + views[i].from * 100.0f + float3{0, 35, 0};
      r.SetCamera(eye, target, {0, 1, 0}, 75, 1, 4000);
    } else {
      float3 centre = box.Centre();
      float radius = std::max(box.Radius(), 0.01f);
      float distance = radius / std::sin(fov * 0.5f * kDegToRad) * 1.05f;
      float3 dir = Normalize(views[i].from + float3{0, 0.45f, 0});
      r.SetCamera(centre + dir * distance, centre, {0, 1, 0}, fov, distance * 0.02f, distance + radius * 2);
    }
    std::vector<uint8_t> frame = r.Frame({{&model, MatrixIdentity(), look}}, kBackdrop);
    sheet.PasteHalf(frame, kWidth, kHeight, (i % 2) * kWidth / 2, (i / 2) * kHeight / 2);
    captions.Draw(sheet, (i % 2) * kWidth / 2 + 8, (i / 2) * kHeight / 2 + 6, views[i].name);
  }
  char size[160];
  std::snprintf(size, sizeof size, "%s   x %.1f..%.1f  y %.1f..%.1f  z %.1f..%.1f", file.c_str(), box.lo.x,
                box.hi.x, box.lo.y, box.hi.y, box.lo.z, box.hi.z);
  captions.Draw(sheet, 8, kHeight - 24, size);
  return sheet.Write(outDir + "/" + OutputName(file) + ".png");
}

bool PreviewStageFromAbove(Renderer& r, const Captions& captions, const VelModel& stage,
                           const std::string& outDir) {
  Box3 box = BoundsOf(stage);
  float3 centre = box.Centre();
  // North to the right: the long axis along the frame's width, west at the top.
  const float fov = 30.0f;
  float halfLong = (box.hi.z - box.lo.z) * 0.5f, halfShort = (box.hi.x - box.lo.x) * 0.5f;
  float tanHalf = std::tan(fov * 0.5f * kDegToRad);
  float height = std::max(halfShort / tanHalf, halfLong / (tanHalf * kWidth / kHeight)) * 1.04f + box.hi.y;
  r.SetCamera(centre + float3{0, height, 0}, centre, {-1, 0, 0}, fov, 1, height + 200);
  Picture picture(kWidth, kHeight, {0, 0, 0, 255});
  picture.Paste(r.Frame({{&stage, MatrixIdentity(), Look::Lit}}, kBackdrop), kWidth, kHeight, 0, 0);
  captions.Draw(picture, 8, 6, "Ground/Stage.gltf from above: north (+z) right, west (-x) up");
  return picture.Write(outDir + "/Ground_Stage_top.png");
}

// Loads a model as the game does; its loader's lines go to standard error so
// they stay visible without mixing into the verb's own output.
std::unique_ptr<VelModel> LoadModel(const std::string& path, bool& clean) {
  auto model = std::make_unique<VelModel>();
  bool ok = false;
  std::vector<std::string> lines = DevCaptureStdoutLines([&] { ok = model->Load(path); });
  clean = ok;
  for (const std::string& line : lines) {
    if (line.rfind("Warn:", 0) == 0 || line.rfind("Err:", 0) == 0 || line.rfind("Failed", 0) == 0) {
      std::cerr << path << ": " << line << "\n";
      clean = false;
    }
  }
  if (!ok) std::cerr << "halvane-dev: " << path << " did not load\n";
  return model;
}

// The world as the game scene places it, seen over the player's shoulder.
bool PreviewScenes(Renderer& r, const Captions& captions, const std::string& data,
                   const std::string& outDir) {
  bool clean = true;
  auto stage = LoadModel(data + "/Ground/Stage.gltf", clean);
  auto airplane = LoadModel(data + "/Ground/airplane.gltf", clean);
  auto door = LoadModel(data + "/Ground/Door.gltf", clean);
  auto left = LoadModel(data + "/Ground/LeftBossDoor.gltf", clean);
  auto right = LoadModel(data + "/Ground/RightBossDoor.gltf", clean);
  auto sky = LoadModel(data + "/Sky/Sky.gltf", clean);
  const float4x4 skyWorld = MatrixTranslation(0, -100, 300);
  const struct {
    const char* name;
    float3 player;
    float yaw;
    bool open;
  } shots[] = {{"Scene_start", {0, 3, -240}, 0, false},  {"Scene_airplane", {-10, 3, -150}, -120, false},
               {"Scene_door", {10, 3, -60}, 0, false},   {"Scene_base", {0, 3, 20}, 0, true},
               {"Scene_yard", {-20, 3, 230}, -60, true}, {"Scene_platform", {40, 3, 420}, 0, true},
               {"Scene_arena", {0, 3, 490}, 0, true},    {"Scene_back", {0, 3, 690}, 180, true}};
  for (const auto& shot : shots) {
    float yaw = shot.yaw * kDegToRad;
    float3 forward{std::sin(yaw), 0, std::cos(yaw)}, side{std::cos(yaw), 0, -std::sin(yaw)};
    float3 target = shot.player + side * 2.0f + float3{0, 4.8f, 0};
    r.SetCamera(target - forward * 10.0f, target, {0, 1, 0}, 60, 0.01f, 2500);
    std::vector<Placed> models = {
        {stage.get(), MatrixIdentity(), Look::Lit},
        {airplane.get(), MatrixScaling(5) * MatrixTranslation(-80, 0, -210), Look::Lit},
        {door.get(), shot.open ? MatrixTranslation(0, 40, 0) : MatrixIdentity(), Look::Lit},
        {left.get(), shot.open ? MatrixTranslation(-40, 0, 0) : MatrixIdentity(), Look::Lit},
        {right.get(), shot.open ? MatrixTranslation(40, 0, 0) : MatrixIdentity(), Look::Lit},
        {sky.get(), skyWorld, Look::Unlit},
        {sky.get(), MatrixScaling(1, -1, 1) * skyWorld, Look::Unlit}};
    Picture picture(kWidth, kHeight, {0, 0, 0, 255});
    picture.Paste(r.Frame(models, kBackdrop), kWidth, kHeight, 0, 0);
    char caption[160];
    std::snprintf(caption, sizeof caption, "player at (%.0f, %.0f, %.0f), yaw %.0f, doors %s", shot.player.x,
                  shot.player.y, shot.player.z, shot.yaw, shot.open ? "open" : "closed");
    captions.Draw(picture, 8, 6, caption);
    clean = picture.Write(outDir + "/" + shot.name + ".png") && clean;
  }

  // The title scene: its figures and ground under its camera and purple fog.
  auto player = LoadModel(data + "/Player/Player.gltf", clean);
  auto hand = LoadModel(data + "/Player/Hand.gltf", clean);
  auto gun = LoadModel(data + "/Player/Gun.gltf", clean);
  auto ground = LoadModel(data + "/Ground/Ground.gltf", clean);
  auto red = LoadModel(data + "/Enemy/EnemyRed.gltf", clean);
  auto blue = LoadModel(data + "/Enemy/EnemyBlue.gltf", clean);
  auto yellow = LoadModel(data + "/Enemy/EnemyYellow.gltf", clean);
  r.SetCamera({2, 4, -4}, {2, 3, 3}, {0, 1, 0}, 60, 0.01f, 1000);
  r.SetFog(true, {0.1f, 0, 0.1f}, 0.002f);
  const float4x4 turned = MatrixRotationY(kPi);
  std::vector<Placed> title = {{player.get(), MatrixTranslation(-1.5f, -0.5f, 2.0f), Look::Lit},
                               {hand.get(), MatrixTranslation(-2.5f, 0.8f, 2.0f), Look::Lit},
                               {hand.get(), MatrixTranslation(-0.65f, 0.8f, 2.0f), Look::Lit},
                               {gun.get(), MatrixTranslation(-0.65f, 0.75f, 3.3f), Look::Lit},
                               {ground.get(), MatrixTranslation(0, 0, -255), Look::Lit},
                               {red.get(), turned * MatrixTranslation(1.7f, 15.4f, 55.0f), Look::Lit},
                               {blue.get(), turned * MatrixTranslation(13.0f, 8.3f, 40.0f), Look::Lit},
                               {yellow.get(), turned * MatrixTranslation(-10.0f, 10.2f, 40.0f), Look::Lit}};
  Picture picture(kWidth, kHeight, {0, 0, 0, 255});
  picture.Paste(r.Frame(title, {1, 1, 1, 1}), kWidth, kHeight, 0, 0);
  r.SetFog(false, {1, 1, 1}, 0.001f);
  captions.Draw(picture, 8, 6, "title scene models (without its sprites)");
  return picture.Write(outDir + "/Scene_title.png") && clean;
}

// Every PNG of Data/ in a grid of cells, drawn through the sprite path on a
// checkerboard so that transparency shows, rendered in frame-sized tiles.
bool PreviewTextures(Renderer& r, const Captions& captions, const std::vector<std::string>& files,
                     const std::string& data, const std::string& outDir) {
  constexpr int kCellW = 320, kCellH = 200, kLabelH = 22, kColumns = 8;
  const int rows = (int(files.size()) + kColumns - 1) / kColumns;
  const int sheetW = kCellW * kColumns, sheetH = std::max(1, rows) * (kCellH + kLabelH);
  bool ok = true;
  std::vector<std::unique_ptr<VelTexture>> textures;
  for (const std::string& file : files) {
    textures.push_back(std::make_unique<VelTexture>());
    if (!textures.back()->Load(data + "/" + file)) {
      std::cerr << "halvane-dev: " << file << " did not load\n";
      ok = false;
    }
  }
  std::vector<uint8_t> checker(size_t(kCellW) * kCellH * 4);
  for (int y = 0; y < kCellH; ++y)
    for (int x = 0; x < kCellW; ++x) {
      uint8_t v = ((x / 10 + y / 10) % 2) ? 96 : 160;
      uint8_t* p = &checker[(size_t(y) * kCellW + x) * 4];
      p[0] = p[1] = p[2] = v;
      p[3] = 255;
    }
  VelTexture board;
  board.CreateFromPixels(kCellW, kCellH, VelFormat::RGBA8Unorm, 1, checker.data());

  Picture sheet(sheetW, sheetH, {24, 24, 28, 255});
  for (int ty = 0; ty < sheetH; ty += kHeight)
    for (int tx = 0; tx < sheetW; tx += kWidth) {
      r.device.ClearBackBuffer({0.1f, 0.1f, 0.11f, 1});
      r.device.ClearDepth(1.0f, 0);
      r.device.SetBlendState(r.opaque);
      BeginSprite(true, true);
      r.shaders.spriteShader.cbSprite.Data().g_mTransform = MatrixIdentity();
      for (size_t i = 0; i < files.size(); ++i) {
        int cx = int(i % kColumns) * kCellW, cy = int(i / kColumns) * (kCellH + kLabelH) + kLabelH;
        if (cx + kCellW <= tx || cx >= tx + kWidth || cy + kCellH <= ty || cy >= ty + kHeight) continue;
        auto screenX = [&](int x) { return x - tx - kWidth / 2; };
        auto screenY = [&](int y, int h) { return kHeight / 2 - (y - ty) - h; };
        DrawSprite(&board, screenX(cx), screenY(cy, kCellH), kCellW, kCellH);
        const VelTexture& t = *textures[i];
        if (!t.IsValid()) continue;
        // Fit the cell; small images grow by whole steps so their pixels stay square.
        float fit = std::min(float(kCellW - 8) / t.GetWidth(), float(kCellH - 8) / t.GetHeight());
        float scale = fit >= 1 ? std::floor(std::min(fit, 4.0f)) : fit;
        int w = std::max(1, int(t.GetWidth() * scale)), h = std::max(1, int(t.GetHeight() * scale));
        int x = cx + (kCellW - w) / 2, y = cy + (kCellH - h) / 2;
        DrawSprite(&t, screenX(x), screenY(y, h), w, h);
      }
      EndSprite();
      sheet.Paste(r.ReadBack(), std::min(kWidth, sheetW - tx), std::min(kHeight, sheetH - ty), tx, ty);
    }
  for (size_t i = 0; i < files.size(); ++i) {
    const VelTexture& t = *textures[i];
    std::string label = files[i] + "  " + std::to_string(t.GetWidth()) + "x" + std::to_string(t.GetHeight());
    captions.Draw(sheet, int(i % kColumns) * kCellW + 4, int(i / kColumns) * (kCellH + kLabelH) + 3, label,
                  13);
  }
  return sheet.Write(outDir + "/Textures.png") && ok;
}

std::vector<std::string> FilesEndingWith(const std::string& root, const std::string& extension) {
  std::vector<std::string> files;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->is_regular_file() && it->path().extension() == extension)
      files.push_back(fs::relative(it->path(), root).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int RunPreviewVerb(const DevArgs& args) {
  if (args.size() != 1) return DevUsageError("usage: preview OUTDIR");
  const std::string data = "Data", outDir = args[0];
  std::error_code ec;
  fs::create_directories(outDir, ec);
  if (ec) return DevUsageError("cannot create " + outDir + ": " + ec.message());
  std::vector<std::string> models = FilesEndingWith(data, ".gltf"), images = FilesEndingWith(data, ".png");
  if (models.empty() && images.empty())
    return DevUsageError("no models or textures under Data/ (run it from the build folder)");

  Captions captions;
  if (!captions.Load())
    std::cerr << "halvane-dev: " << kFontPath << " missing; previews go without captions\n";
  Renderer renderer;
  if (!renderer.Init()) {
    renderer.Release();
    return 1;
  }
  bool ok = true;
  int written = 0;
  for (const std::string& file : models) {
    bool clean = true;
    std::unique_ptr<VelModel> model = LoadModel(data + "/" + file, clean);
    ok = clean && ok;
    if (model->Nodes.empty()) continue;
    bool drawn = PreviewModel(renderer, captions, file, *model, outDir);
    if (drawn && file == "Ground/Stage.gltf")
      drawn = PreviewStageFromAbove(renderer, captions, *model, outDir);
    written += drawn;
    ok = drawn && ok;
  }
  ok = PreviewScenes(renderer, captions, data, outDir) && ok;
  ok = PreviewTextures(renderer, captions, images, data, outDir) && ok;
  renderer.Release();
  std::cout << "preview: " << written << " models, " << images.size() << " textures, written to " << outDir
            << (ok ? "" : " (with problems, see above)") << "\n";
  return ok ? 0 : 1;
}
