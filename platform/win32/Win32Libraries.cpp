// The header-only libraries' implementations: on Linux they come from the
// system's shared libraries, on Windows they are compiled into the game.

#define STB_IMAGE_IMPLEMENTATION
// File names are UTF-8; open them through the wide functions.
#define STBI_WINDOWS_UTF8
#define STBIW_WINDOWS_UTF8
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>

#define TINYGLTF_IMPLEMENTATION
#define TINYGLTF_NO_INCLUDE_STB_IMAGE
#define TINYGLTF_NO_INCLUDE_STB_IMAGE_WRITE
#include <tiny_gltf.h>
