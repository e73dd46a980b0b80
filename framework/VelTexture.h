#pragma once

// A 2D texture with its views: loaded from an image file (decoded to RGBA8,
// rows top first, so v = 0 is the image's top row), created from a
// description, or wrapped around an existing texture (the back buffer).

#include <cstdint>
#include <memory>
#include <string>

#include "framework/VelGraphicsTypes.h"

class VelTexture {
 public:
  // Releases what it held; an empty name or an unreadable image fails and
  // leaves the texture empty.
  bool Load(const std::string& fileName, bool renderTarget = false, bool depthStencil = false,
            uint32_t usageKind = VelUsage::Default);
  // Initial data, when given, is width x height tightly packed pixels, top row first.
  bool Create(const VelTextureDesc& description, const void* initialData = nullptr);
  bool CreateFromPixels(uint32_t width, uint32_t height, VelFormat format, uint32_t mipLevels,
                        const void* pixels);
  bool CreateFromResource(const std::shared_ptr<VelTextureResource>& texture);
  void Release();

  bool IsValid() const { return shaderResourceView != nullptr; }
  uint32_t GetWidth() const { return desc.width; }
  uint32_t GetHeight() const { return desc.height; }
  const std::string& GetFileName() const { return fileName; }

  // Views share the one texture object; each is present only when the bind
  // flags ask for it.
  std::shared_ptr<VelTextureResource> shaderResourceView;
  std::shared_ptr<VelTextureResource> renderTargetView;
  std::shared_ptr<VelTextureResource> depthStencilView;
  VelTextureDesc desc;
  std::string fileName;
};
