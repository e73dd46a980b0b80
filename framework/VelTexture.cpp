#include "framework/VelTexture.h"

#include "framework/VelGraphicsDevice.h"
#include "framework/VelImageCache.h"

bool VelTexture::Load(const std::string& name, bool renderTarget, bool depthStencil, uint32_t usageKind) {
  Release();
  if (name.empty()) return false;
  // Decoded once per file; each texture object gets its own GPU texture from it.
  const std::shared_ptr<const VelImage> image = VelImageCache::GetInstance().Load(name);
  if (!image) return false;
  VelTextureDesc description;
  description.width = image->width;
  description.height = image->height;
  description.format = VelFormat::RGBA8Unorm;
  description.usage = usageKind;
  description.bindFlags = VelBind::ShaderResource | (renderTarget ? VelBind::RenderTarget : 0u) |
                          (depthStencil ? VelBind::DepthStencil : 0u);
  if (!Create(description, image->pixels.data())) return false;
  fileName = name;
  shaderResourceView->name = name;
  return true;
}

bool VelTexture::Create(const VelTextureDesc& description, const void* initialData) {
  Release();
  if (description.width == 0 || description.height == 0) return false;
  auto texture = VelGraphicsDevice::GetInstance().CreateTextureResource(description, initialData);
  if (!texture) return false;
  return CreateFromResource(texture);
}

bool VelTexture::CreateFromPixels(uint32_t width, uint32_t height, VelFormat format, uint32_t mipLevels,
                                  const void* pixels) {
  VelTextureDesc description;
  description.width = width;
  description.height = height;
  description.format = format;
  description.mipLevels = mipLevels;
  description.usage = VelUsage::Default;
  description.bindFlags = VelBind::ShaderResource;
  return Create(description, pixels);
}

bool VelTexture::CreateFromResource(const std::shared_ptr<VelTextureResource>& texture) {
  Release();
  if (!texture) return false;
  desc = texture->desc;
  if (desc.bindFlags & VelBind::ShaderResource) shaderResourceView = texture;
  if (desc.bindFlags & VelBind::RenderTarget) renderTargetView = texture;
  if (desc.bindFlags & VelBind::DepthStencil) depthStencilView = texture;
  return true;
}

void VelTexture::Release() {
  shaderResourceView.reset();
  renderTargetView.reset();
  depthStencilView.reset();
  desc = VelTextureDesc{};
  fileName.clear();
}
